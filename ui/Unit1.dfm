// TForm1, the tool's only window: layout, texts and settings, read when the window is created.
// @VENDOR_HOST@ is replaced at build time by the vendor's host name.
object Form1: TForm1
  Left = 533
  Top = 312
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Vornasta'
  ClientHeight = 250
  ClientWidth = 347
  Color = clBtnFace
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  Position = poDesktopCenter
  PixelsPerInch = 96
  TextHeight = 12
  object Label1: TLabel
    Left = 16
    Top = 224
    Width = 138
    Height = 12
    Cursor = crHandPoint
    Caption = 'Pelmora @VENDOR_HOST@'
    Font.Charset = ANSI_CHARSET
    Font.Color = clRed
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = []
    ParentFont = False
    Transparent = True
    AutoSize = True
    OnClick = Label1Click
  end
  object GroupBox1: TGroupBox
    Left = 0
    Top = 0
    Width = 347
    Height = 209
    Align = alTop
    Caption = '至少可以释放1-2.5GB的磁盘空间'
    TabOrder = 0
    object RadioButton1: TRadioButton
      Left = 16
      Top = 152
      Width = 129
      Height = 17
      Caption = '禁用Windows7 休眠'
      Checked = False
      TabOrder = 0
    end
    object RadioButton2: TRadioButton
      Left = 16
      Top = 176
      Width = 121
      Height = 17
      Caption = '恢复Windows7 休眠'
      Checked = False
      TabOrder = 1
    end
    object Memo1: TMemo
      Left = 2
      Top = 14
      Width = 343
      Height = 131
      Align = alTop
      Lines.Strings = (
        '提示:'
        '当电脑进入休眠状态时，Windows 会在关机前把内存中的'
        '全部内容写入硬盘上的休眠文件 hiberfil.sys，下次开机'
        '时再把它读回内存，让电脑回到休眠前的状态继续工作。'
        '但即使以后不再需要，这个文件也会一直留在硬盘上，'
        '占用与内存大小相当的空间。'
        ''
        '休眠文件往往很大，而且是一个特殊的系统文件，磁盘碎'
        '片整理程序无法移动它，所以有它在，碎片整理程序就无'
        '法完整地完成整理。'
        ''
        '如果这个功能你不是经常使用，你将其关闭，以释放出硬盘'
        '空间，待到要需要使用时再打开即可。')
      ReadOnly = False
      ScrollBars = ssVertical
      WordWrap = True
      TabOrder = 2
    end
    object Button3: TButton
      Left = 200
      Top = 160
      Width = 75
      Height = 25
      Caption = '设置'
      TabOrder = 3
      OnClick = Button3Click
    end
  end
  object Button1: TButton
    Left = 184
    Top = 216
    Width = 75
    Height = 25
    Caption = '更新'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 264
    Top = 216
    Width = 75
    Height = 25
    Caption = '退出'
    TabOrder = 2
    OnClick = Button2Click
  end
  object SkinData1: TSkinData
    Active = True
    SkinFormtype = sfMainform
    SkinStore = '(Good)'
    SkinStream = (
      'face = #EEF1F5'
      'text = #1F2933'
      'focus = #3B82C4'
      'frame.active = #2C4A6E'
      'frame.inactive = #9AA8BA'
      'caption.active = #4573A6 #2C4A6E'
      'caption.inactive = #B9C4D2 #9AA8BA'
      'caption.text.active = #FFFFFF'
      'caption.text.inactive = #F4F6F9'
      'caption.button.hot = #5E8CC0'
      'caption.button.pressed = #1F3652'
      'caption.button.close.hot = #D0463B'
      'caption.button.close.pressed = #A3342B'
      'caption.button.width = 26'
      'caption.button.gap = 2'
      'button.normal = #FFFFFF #E2E8EF'
      'button.hot = #FFFFFF #D3E2F3'
      'button.pressed = #C6D5E6 #DCE5EF'
      'button.disabled = #F1F3F6 #EBEEF2'
      'button.border = #8B9BB0'
      'button.border.hot = #3B82C4'
      'button.border.focused = #2C5E96'
      'button.text = #1F2933'
      'button.text.disabled = #A0A9B5'
      'button.radius = 3'
      'radio.ring = #7D8DA3'
      'radio.ring.hot = #3B82C4'
      'radio.fill = #FFFFFF'
      'radio.dot = #2C5E96'
      'radio.size = 13'
      'group.border = #B8C3D1'
      'group.text = #2C4A6E'
      'group.radius = 4'
      'edit.border = #9AA8BA'
      'edit.border.focused = #3B82C4'
      'scroll.track = #E6EBF0'
      'scroll.thumb = #B8C5D4'
      'scroll.thumb.hot = #97AAC1'
      'scroll.arrow = #3F5673'
      'scroll.arrow.back = #DAE1E9'
      'scroll.arrow.hot = #C3D1E1'
      'hint.back = #FFFDF3'
      'hint.border = #8B9BB0'
      'hint.text = #1F2933'
      'hint.minimize = 最小化'
      'hint.close = 关闭'
      'glyph.close = xx......xx/xxx....xxx/.xxx..xxx./..xxxxxx../...xxxx.../...xxxx.../..xxxxxx../.xxx..xxx./xxx....xxx/xx......xx'
      'glyph.minimize = ........../........../........../........../........../........../........../........../xxxxxxxxxx/xxxxxxxxxx'
      'glyph.arrow.up = ...x.../..xxx../.xxxxx./xxxxxxx'
      'glyph.arrow.down = xxxxxxx/.xxxxx./..xxx../...x...')
    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox,
      xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin,
      xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar]
    Options = [xoPreview, xoToolbarBK, xoCaptionButtonHint]
    DisableTag = 99
    MenuUpdate = True
    MenuMerge = False
    Skin3rd.Strings = (
      'TcxButton=button'
      'TcxCheckBox=checkbox'
      'TcxRadioButton=radiobutton'
      'TcxTextEdit=edit'
      'TcxMemo=memo'
      'TcxComboBox=combobox'
      'TcxSpinEdit=spinedit'
      'TcxGroupBox=groupbox'
      'TcxPageControl=tab'
      'TcxProgressBar=progressbar'
      'TcxTrackBar=trackbar'
      'TcxListBox=listbox'
      'TcxTreeView=treeview'
      'TcxListView=listview'
      'TcxScrollBar=scrollbar'
      'TcxLabel=label'
      'TcxMaskEdit=edit'
      'TcxDateEdit=combobox'
      'TcxCurrencyEdit=edit'
      'TcxButtonEdit=edit'
      'TcxCalcEdit=combobox'
      'TcxImageComboBox=combobox'
      'TcxHyperLinkEdit=edit'
      'TcxCheckListBox=listbox'
      'TdxBarDockControl=toolbar'
      'TdxStatusBar=statusbar'
      'TdxNavBar=panel'
      'TdxDockPanel=panel'
      'TJvEdit=edit'
      'TJvMemo=memo'
      'TJvComboBox=combobox'
      'TJvListBox=listbox'
      'TJvCheckBox=checkbox'
      'TJvRadioButton=radiobutton'
      'TJvGroupBox=groupbox'
      'TJvPanel=panel'
      'TJvSpinEdit=spinedit'
      'TJvPageControl=tab'
      'TJvProgressBar=progressbar'
      'TJvTrackBar=trackbar'
      'TJvStatusBar=statusbar'
      'TJvToolBar=toolbar'
      'TJvTreeView=treeview'
      'TJvListView=listview'
      'TJvScrollBar=scrollbar'
      'TJvDateEdit=combobox'
      'TJvDirectoryEdit=edit'
      'TJvFilenameEdit=edit'
      'TJvCheckListBox=listbox'
      'TJvImgBtn=button'
      'TJvBitBtn=bitbtn'
      'TJvSpeedButton=speedbutton'
      'TRzButton=button'
      'TRzBitBtn=bitbtn'
      'TRzEdit=edit'
      'TRzMemo=memo'
      'TRzComboBox=combobox'
      'TRzListBox=listbox'
      'TRzCheckBox=checkbox'
      'TRzRadioButton=radiobutton'
      'TRzGroupBox=groupbox'
      'TRzPanel=panel'
      'TRzPageControl=tab'
      'TRzTabControl=tab'
      'TRzProgressBar=progressbar'
      'TRzTrackBar=trackbar'
      'TRzStatusBar=statusbar'
      'TRzToolbar=toolbar'
      'TRzTreeView=treeview'
      'TRzListView=listview'
      'TRzSpinEdit=spinedit'
      'TRzNumericEdit=edit'
      'TRzDateTimeEdit=combobox'
      'TRzCheckList=listbox'
      'TRzSpeedButton=speedbutton'
      'TRzSplitter=panel'
      'TAdvEdit=edit'
      'TAdvMemo=memo'
      'TAdvComboBox=combobox'
      'TAdvListBox=listbox'
      'TAdvGlowButton=button'
      'TAdvPanel=panel'
      'TAdvPageControl=tab'
      'TAdvProgressBar=progressbar'
      'TAdvTrackBar=trackbar'
      'TAdvToolBar=toolbar'
      'TAdvSpinEdit=spinedit'
      'TAdvGroupBox=groupbox'
      'TTntEdit=edit'
      'TTntMemo=memo'
      'TTntComboBox=combobox'
      'TTntListBox=listbox'
      'TTntCheckBox=checkbox'
      'TTntRadioButton=radiobutton'
      'TTntGroupBox=groupbox'
      'TTntPanel=panel'
      'TTntButton=button'
      'TTntBitBtn=bitbtn'
      'TTntSpeedButton=speedbutton'
      'TTntPageControl=tab'
      'TTntStatusBar=statusbar'
      'TTntToolBar=toolbar'
      'TTntTreeView=treeview'
      'TTntListView=listview'
      'TTntCheckListBox=listbox'
      'TTntScrollBar=scrollbar'
      'TElEdit=edit'
      'TElMemo=memo'
      'TElComboBox=combobox'
      'TElListBox=listbox'
      'TElCheckBox=checkbox'
      'TElRadioButton=radiobutton'
      'TElGroupBox=groupbox'
      'TElPanel=panel'
      'TElPageControl=tab'
      'TElTrackBar=trackbar'
      'TElStatusBar=statusbar'
      'TElToolBar=toolbar')
    Version = '5.40.07.15'
  end
end

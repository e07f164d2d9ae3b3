object HarnessForm: THarnessForm
  Left = 10
  Top = 10
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Harness'
  ClientHeight = 80
  ClientWidth = 240
  Color = clBtnFace
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  Position = poDesigned
  object Show: TButton
    Left = 16
    Top = 16
    Width = 120
    Height = 25
    Caption = 'Show'
    TabOrder = 0
    OnClick = ShowClick
  end
end

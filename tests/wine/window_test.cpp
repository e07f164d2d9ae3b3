// The main window as the user meets it: layout, texts, styles, fonts, keyboard, radio rules and
// the ways of closing it. Lengths are at 96 dpi and scaled to the prefix's DPI, so the same
// tests check the scaling when the prefix runs at 120, 144 or 192 dpi.
#include <windowsx.h>

#include "harness.h"

namespace harness {
namespace {

constexpr wchar_t kGroupCaption[] = L"至少可以释放1-2.5GB的磁盘空间";
constexpr wchar_t kOffChoice[] = L"禁用Windows7 休眠";
constexpr wchar_t kOnChoice[] = L"恢复Windows7 休眠";

// The window's own font, at the screen's DPI, in the test's process.
class WindowFont {
 public:
  WindowFont()
      : font_(CreateFontW(-Scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                          L"宋体")) {}
  ~WindowFont() { DeleteObject(font_); }
  SIZE Extent(const std::wstring& text) const {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size;
  }

 private:
  HFONT font_;
};

class MainWindow : public ToolTest {
 protected:
  HWND Group() const { return Control(L"Button", kGroupCaption); }
  HWND Memo() const { return Control(L"Edit"); }
  HWND Radio(const wchar_t* text) const { return Control(L"Button", text); }
  HWND Label() const { return Control(L"Static"); }
  bool Checked(HWND radio) const { return SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Focus(HWND control) const {
    PostMessageW(main_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    WaitUntil([&] { return FocusOf(main_) == control; }, 5s);
  }
};

TEST_F(MainWindow, WindowHasItsCaptionSizeFrameAndPlace) {
  EXPECT_EQ(Text(main_), L"Vornasta");
  RECT client{};
  GetClientRect(main_, &client);
  EXPECT_EQ(client.right, Scaled(347));
  EXPECT_EQ(client.bottom, Scaled(250));

  const DWORD style = StyleOf(main_);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the border is fixed";
  EXPECT_FALSE(ExStyleOf(main_) & WS_EX_CONTEXTHELP);

  const RECT frame = WindowRectOf(main_);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - (frame.bottom - frame.top)) / 2);

  // The face behind the controls, in the skin's colour: a strip between the label and the buttons.
  const RECT strip{client.left + Scaled(160), Scaled(214), client.left + Scaled(180), Scaled(244)};
  RECT onScreen = strip;
  MapWindowPoints(main_, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
  const Capture capture(onScreen);
  EXPECT_EQ(capture.Count(SkinColor("face")), capture.Width() * capture.Height());
}

struct ControlRow {
  const wchar_t* className;
  const wchar_t* text;  // nullptr: any (the note)
  bool inGroup;
  RECT bounds;  // left, top, width, height at 96 dpi
  DWORD typeOrStyles;
  DWORD forbidden;
};

TEST_F(MainWindow, EveryControlHasItsParentPlaceTextAndStyle) {
  const ControlRow rows[] = {
      {L"Button", kGroupCaption, false, {0, 0, 347, 209}, BS_GROUPBOX, WS_TABSTOP},
      {L"Edit",
       nullptr,
       true,
       {2, 14, 343, 131},
       ES_MULTILINE | WS_VSCROLL | WS_TABSTOP,
       ES_READONLY | ES_AUTOHSCROLL | WS_HSCROLL},
      {L"Button", kOffChoice, true, {16, 152, 129, 17}, BS_AUTORADIOBUTTON, WS_TABSTOP},
      {L"Button", kOnChoice, true, {16, 176, 121, 17}, BS_AUTORADIOBUTTON, WS_TABSTOP},
      {L"Button", L"设置", true, {200, 160, 75, 25}, BS_PUSHBUTTON | WS_TABSTOP, BS_DEFPUSHBUTTON},
      {L"Button", L"更新", false, {184, 216, 75, 25}, BS_PUSHBUTTON | WS_TABSTOP, BS_DEFPUSHBUTTON},
      {L"Button", L"退出", false, {264, 216, 75, 25}, BS_PUSHBUTTON | WS_TABSTOP, BS_DEFPUSHBUTTON},
  };
  const HWND group = Group();
  for (const ControlRow& row : rows) {
    SCOPED_TRACE(Utf8(row.text ? row.text : row.className));
    const HWND control = row.text ? Control(row.className, row.text) : Control(row.className);
    ASSERT_TRUE(control);
    EXPECT_EQ(GetParent(control), row.inGroup ? group : main_);
    const RECT rect = RectInParent(control);
    EXPECT_EQ(rect.left, Scaled(row.bounds.left));
    EXPECT_EQ(rect.top, Scaled(row.bounds.top));
    EXPECT_EQ(rect.right - rect.left, Scaled(row.bounds.right));
    EXPECT_EQ(rect.bottom - rect.top, Scaled(row.bounds.bottom));
    const DWORD style = StyleOf(control);
    const DWORD type = row.typeOrStyles & BS_TYPEMASK;
    if (_wcsicmp(row.className, L"Button") == 0) {
      EXPECT_EQ(style & BS_TYPEMASK, type);
    }
    EXPECT_EQ(style & (row.typeOrStyles & ~BS_TYPEMASK), row.typeOrStyles & ~BS_TYPEMASK);
    if (row.forbidden != BS_DEFPUSHBUTTON) {
      EXPECT_EQ(style & row.forbidden, 0u);
    }
  }
  EXPECT_EQ(ExStyleOf(Memo()) & WS_EX_CLIENTEDGE, static_cast<DWORD>(WS_EX_CLIENTEDGE));
}

TEST_F(MainWindow, NoteHoldsItsThirteenLinesUnwrapped) {
  const HWND memo = Memo();
  const std::wstring text = Text(memo);
  EXPECT_EQ(text.rfind(L"提示:\r\n", 0), 0u);
  EXPECT_NE(text.find(L"\r\n\r\n如果这个功能你不是经常使用，你将其关闭，以释放出硬盘\r\n"
                      L"空间，待到要需要使用时再打开即可。"),
            std::wstring::npos);
  // Hard-broken to the note's width: word wrap adds no line of its own.
  EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 13);
}

TEST_F(MainWindow, TextIsDrawnInSongTiAtTwelvePixels) {
  const WindowFont font;
  // The note: the distance between two characters of a line is the text's width in the font.
  const HWND memo = Memo();
  const auto lineStart = static_cast<WPARAM>(SendMessageW(memo, EM_LINEINDEX, 1, 0));
  const auto x = [&](WPARAM index) {
    return GET_X_LPARAM(SendMessageW(memo, EM_POSFROMCHAR, index, 0));
  };
  EXPECT_EQ(x(lineStart + 10) - x(lineStart), font.Extent(L"当电脑进入休眠状态时").cx);

  // The link label: sized to its text in the same face, drawn in red.
  const HWND label = Label();
  const std::wstring caption = Text(label);
  EXPECT_EQ(caption.rfind(L"Pelmora ", 0), 0u);
  const RECT rect = RectInParent(label);
  EXPECT_EQ(rect.left, Scaled(16));
  EXPECT_EQ(rect.top, Scaled(224));
  const SIZE extent = font.Extent(caption);
  EXPECT_EQ(rect.right - rect.left, extent.cx);
  EXPECT_EQ(rect.bottom - rect.top, extent.cy);
  EXPECT_TRUE(StyleOf(label) & SS_NOTIFY) << "the label takes clicks";
  RECT screen = WindowRectOf(label);
  const Capture capture(screen);
  EXPECT_GT(capture.Count(RGB(255, 0, 0)), 0) << "no red text in the label";
  EXPECT_EQ(capture.Count(GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST_F(MainWindow, StartsWithNothingCheckedAndTheFocusInTheNote) {
  EXPECT_FALSE(Checked(Radio(kOffChoice)));
  EXPECT_FALSE(Checked(Radio(kOnChoice)));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main_) == Memo(); }, 5s))
      << "the focus is not in the note";
}

TEST_F(MainWindow, RadioButtonsExcludeEachOtherAndOnlyTheCheckedOneIsATabStop) {
  const HWND off = Radio(kOffChoice);
  const HWND on = Radio(kOnChoice);
  const struct {
    HWND click;
    HWND checked;
    HWND unchecked;
  } steps[] = {{off, off, on}, {on, on, off}, {off, off, on}};
  for (const auto& step : steps) {
    SendMessageW(step.click, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(step.checked));
    EXPECT_FALSE(Checked(step.unchecked));
    EXPECT_TRUE(StyleOf(step.checked) & WS_TABSTOP);
    EXPECT_FALSE(StyleOf(step.unchecked) & WS_TABSTOP);
    EXPECT_FALSE(StyleOf(Group()) & WS_TABSTOP);
  }
  // The arrow keys move the choice within the group, as in any radio group.
  ASSERT_TRUE(BringToFront(main_));
  Focus(off);
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return Checked(on); }, 3s));
  EXPECT_FALSE(Checked(off));
  EXPECT_EQ(FocusOf(main_), on);
}

TEST_F(MainWindow, TabWalksTheControlsInTabOrder) {
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main_) == Memo(); }, 5s));
  const HWND setButton = Control(L"Button", L"设置");
  const HWND update = Control(L"Button", L"更新");
  const HWND exit = Control(L"Button", L"退出");
  // Unchecked radio buttons are no tab stops; the group box never is one.
  const auto focusMovesTo = [&](HWND expected) {
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main_) == expected; }, 3s))
        << "the focus did not move to " << Utf8(Text(expected));
  };
  for (HWND expected : {setButton, update, exit, Memo()}) {
    PressKey(VK_TAB);
    focusMovesTo(expected);
  }
  PressKey(VK_TAB, {VK_SHIFT});
  focusMovesTo(exit);
  // Once chosen, the radio button takes its place in the order.
  const HWND on = Radio(kOnChoice);
  SendMessageW(on, BM_CLICK, 0, 0);
  Focus(exit);
  for (HWND expected : {on, Memo()}) {
    PressKey(VK_TAB);
    focusMovesTo(expected);
  }
}

TEST_F(MainWindow, EnterAndEscReachNoButtonWithoutTheFocus) {
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main_) == Memo(); }, 5s));
  const HWND group = Group();
  // Esc in the note: the note's parent is asked to close, and must not.
  PressKey(VK_ESCAPE);
  // Enter in the note is a new line, not a press of any button.
  PressKey(VK_RETURN);
  const HWND apply = Control(L"Button", L"设置");
  Focus(apply);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(IsWindow(group)) << "the group box was destroyed";
  EXPECT_TRUE(tool_->Running());
  EXPECT_FALSE(ShowsAnotherWindow()) << "a button answered Enter or Esc without the focus";
  // The focused button answers Enter: with no choice made, the apply button asks for one.
  PressKey(VK_RETURN);
  const HWND message = WaitForMessage();
  EXPECT_EQ(MessageText(message), L"至少应该选择一项");
  DismissMessage(message);
}

TEST_F(MainWindow, TypingIntoTheNoteChangesNothingElse) {
  ASSERT_TRUE(BringToFront(main_));
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(main_) == Memo(); }, 5s));
  std::vector<std::wstring> before;
  for (HWND child : Descendants(main_)) before.push_back(Text(child));
  const std::wstring note = Text(Memo());
  TypeText(L"abc 中文\r");
  EXPECT_TRUE(
      WaitUntil([&] { return Text(Memo()).find(L"abc 中文\r\n") != std::wstring::npos; }, 3s))
      << "the typed text did not reach the note";
  EXPECT_NE(Text(Memo()), note);
  std::vector<std::wstring> after;
  for (HWND child : Descendants(main_)) after.push_back(Text(child));
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    if (Descendants(main_)[i] != Memo()) {
      EXPECT_EQ(before[i], after[i]);
    }
  }
  EXPECT_FALSE(Checked(Radio(kOffChoice)) || Checked(Radio(kOnChoice)));
  EXPECT_EQ(Text(main_), L"Vornasta");
  EXPECT_EQ(TopLevelWindows(tool_->Id()).size(), 1u);
}

TEST_F(MainWindow, CanBeMinimizedButNotResizedOrMaximized) {
  const RECT before = WindowRectOf(main_);
  ASSERT_TRUE(BringToFront(main_));
  const auto caption = FindCaptionHit(main_, HTCAPTION);
  ASSERT_TRUE(caption);
  // A double click on the caption maximizes where that is allowed: here it must not.
  DoubleClickAt(*caption);
  SendMessageW(main_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_FALSE(IsZoomed(main_));
  // The frame's edges and corners answer as a border, never as a sizing handle.
  const RECT frame = WindowRectOf(main_);
  const LONG midX = (frame.left + frame.right) / 2, midY = (frame.top + frame.bottom) / 2;
  const POINT edges[] = {{frame.left, midY},
                         {frame.right - 1, midY},
                         {midX, frame.top},
                         {midX, frame.bottom - 1},
                         {frame.left, frame.top},
                         {frame.right - 1, frame.bottom - 1},
                         {frame.right - 1, frame.top},
                         {frame.left, frame.bottom - 1}};
  for (const POINT& edge : edges) {
    const LRESULT hit = HitAt(main_, edge);
    EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST)
        << "a sizing handle at " << edge.x << "," << edge.y << ": " << hit;
  }
  // Same size (a press on the caption may have moved it, which is allowed).
  const RECT after = WindowRectOf(main_);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  SendMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(main_) != FALSE; }, 5s));
  SendMessageW(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main_); }, 5s));
}

struct CloseWay {
  const char* name;
  void (*close)(HWND main, const ToolTest& test);
};

class Closing : public MainWindow, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(Closing, EndsTheToolWithCodeZero) {
  ASSERT_TRUE(BringToFront(main_));
  ExpectClosesWithCodeZero([&] { GetParam().close(main_, *this); });
}

void PrintTo(const CloseWay& way, std::ostream* out) {
  *out << way.name;
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Closing,
    ::testing::Values(CloseWay{"ExitButton",
                               [](HWND main, const ToolTest&) {
                                 for (HWND child : Descendants(main)) {
                                   if (Text(child) == L"退出") PostMessageW(child, BM_CLICK, 0, 0);
                                 }
                               }},
                      CloseWay{"EnterOnTheFocusedExitButton",
                               [](HWND main, const ToolTest&) {
                                 for (HWND child : Descendants(main)) {
                                   if (Text(child) == L"退出") {
                                     PostMessageW(main, WM_NEXTDLGCTL,
                                                  reinterpret_cast<WPARAM>(child), TRUE);
                                     WaitUntil([&] { return FocusOf(main) == child; }, 5s);
                                   }
                                 }
                                 PressKey(VK_RETURN);
                               }},
                      CloseWay{"CaptionCloseButton",
                               [](HWND main, const ToolTest&) {
                                 const auto point = FindCaptionHit(main, HTCLOSE);
                                 ASSERT_TRUE(point) << "no close button in the caption";
                                 ClickAt(*point);
                                 POINT cursor;
                                 GetCursorPos(&cursor);
                               }},
                      CloseWay{"SystemMenu",
                               [](HWND, const ToolTest&) {
                                 PressKey(VK_SPACE, {VK_MENU});  // opens the system menu
                                 ASSERT_TRUE(WaitUntil(MenuIsOpen, 5s)) << "no system menu";
                                 PressKey('C');  // Close, whatever the language: its mnemonic is C
                               }},
                      CloseWay{"AltF4", [](HWND, const ToolTest&) { PressKey(VK_F4, {VK_MENU}); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace harness

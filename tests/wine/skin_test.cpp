// The skin as the user sees it: pixels of the window and of a message in the skin's colours, the
// control the skin leaves alone, the caption buttons' hints, and a caption that still works.
#include "harness.h"

namespace harness {
namespace {

constexpr wchar_t kOffChoice[] = L"禁用Windows7 休眠";

int CountIn(HWND window, const char* key) {
  return Capture(WindowRectOf(window)).Count(SkinColor(key));
}

void MoveMouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

class Skin : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    ASSERT_TRUE(BringToFront(main_));
    // Let the window finish painting in its active state.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  }
  HWND Hint() const { return FindTopLevel(tool_->Id(), L"THintWindow"); }
};

TEST_F(Skin, CaptionFrameAndControlsAreDrawnInTheSkinsColours) {
  ASSERT_TRUE(WaitUntil([&] { return CountIn(main_, "frame.active") > 0; }, 5s))
      << "the frame is not in the skin's colour";
  const RECT frame = WindowRectOf(main_);
  const RECT client = ClientRectOnScreen(main_);
  const Capture caption({frame.left, frame.top, frame.right, client.top});
  EXPECT_GT(caption.Count(SkinColor("caption.text.active")), 0) << "title and glyphs";
  EXPECT_EQ(caption.Count(GetSysColor(COLOR_ACTIVECAPTION)), 0) << "the system's caption colour";

  const struct {
    const wchar_t* className;
    const wchar_t* text;
    const char* key;
  } controls[] = {
      {L"Button", L"更新", "button.border"},
      {L"Button", L"退出", "button.border"},
      {L"Button", L"设置", "button.border"},
      {L"Button", kOffChoice, "radio.ring"},
      {L"Button", L"至少可以释放1-2.5GB的磁盘空间", "group.border"},
  };
  for (const auto& c : controls) {
    EXPECT_GT(CountIn(Control(c.className, c.text), c.key), 0) << Utf8(c.text) << ": " << c.key;
  }
  // The note's scroll bar: arrows and thumb.
  const RECT note = WindowRectOf(Control(L"Edit"));
  const Capture bar(
      {note.right - GetSystemMetrics(SM_CXVSCROLL) - 2, note.top, note.right, note.bottom});
  EXPECT_GT(bar.Count(SkinColor("scroll.arrow")), 0);
  EXPECT_GT(bar.Count(SkinColor("scroll.thumb")), 0);
  EXPECT_GT(bar.Count(SkinColor("scroll.track")), 0);
  EXPECT_EQ(bar.Count(GetSysColor(COLOR_SCROLLBAR)), 0) << "the system's scroll bar";
}

TEST_F(Skin, StatesShowOnHoverAndCheck) {
  const HWND radio = Control(L"Button", kOffChoice);
  EXPECT_EQ(CountIn(radio, "radio.dot"), 0);
  SendMessageW(radio, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return CountIn(radio, "radio.dot") > 0; }, 3s)) << "no checked mark";
  const HWND update = Control(L"Button", L"更新");
  const RECT rect = WindowRectOf(update);
  MoveMouseTo({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  EXPECT_TRUE(WaitUntil([&] { return CountIn(update, "button.border.hot") > 0; }, 3s))
      << "no hover state";
}

TEST_F(Skin, CaptionButtonsGiveTheirHints) {
  const struct {
    LRESULT hit;
    const wchar_t* hint;
  } buttons[] = {{HTCLOSE, L"关闭"}, {HTMINBUTTON, L"最小化"}};
  for (const auto& button : buttons) {
    const auto point = FindCaptionHit(main_, button.hit);
    ASSERT_TRUE(point);
    MoveMouseTo({point->x - 30, point->y + 60});  // away first, so the hover starts anew
    MoveMouseTo(*point);
    HWND hint = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
          hint = Hint();
          return hint && Text(hint) == button.hint;
        },
        5s))
        << "no hint " << Utf8(button.hint);
  }
  MoveMouseTo({10, 700});
  EXPECT_TRUE(WaitUntil([&] { return !Hint(); }, 5s)) << "the hint stayed";
}

TEST_F(Skin, CaptionStillMovesAndMinimizesTheWindow) {
  const RECT before = WindowRectOf(main_);
  const auto grip = FindCaptionHit(main_, HTCAPTION);
  ASSERT_TRUE(grip);
  MoveMouseTo(*grip);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &input, sizeof input);
  // The move starts once the window's thread is in its move loop; the cursor moves after that.
  const auto moving = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
    return (info.flags & GUI_INMOVESIZE) != 0;
  };
  EXPECT_TRUE(WaitUntil(moving, 5s)) << "no move loop after a press on the caption";
  MoveMouseTo({grip->x + 40, grip->y + 30});
  WaitUntil([&] { return WindowRectOf(main_).left != before.left; }, 2s);
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
  WaitUntil([&] { return !moving(); }, 5s);
  EXPECT_TRUE(WaitUntil(
      [&] {
        const RECT after = WindowRectOf(main_);
        return after.left == before.left + 40 && after.top == before.top + 30;
      },
      5s))
      << "dragging the caption did not move the window: from " << before.left << "," << before.top
      << " to " << WindowRectOf(main_).left << "," << WindowRectOf(main_).top;

  const auto minimize = FindCaptionHit(main_, HTMINBUTTON);
  ASSERT_TRUE(minimize);
  ClickAt(*minimize);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(main_) != FALSE; }, 5s)) << "not minimized";
}

// The information message takes the skin as well.
TEST_F(Skin, MessagesAreSkinnedToo) {
  PostClick(Control(L"Button", L"设置"));
  const HWND message = WaitForMessage();
  ASSERT_TRUE(message);
  ASSERT_TRUE(WaitUntil([&] { return CountIn(message, "frame.active") > 0; }, 5s));
  const RECT frame = WindowRectOf(message);
  const RECT client = ClientRectOnScreen(message);
  EXPECT_GT(Capture({frame.left, frame.top, frame.right, client.top})
                .Count(SkinColor("caption.text.active")),
            0);
  for (HWND child : Descendants(message)) {
    if (ClassOf(child) == L"Button") {
      EXPECT_GT(CountIn(child, "button.border.focused"), 0);
    }
  }
  EXPECT_EQ(FindCaptionHit(message, HTMINBUTTON), std::nullopt) << "a message has no minimize";
  DismissMessage(message);
}

// A control whose Tag equals DisableTag keeps the system's look (shown on the test form).
TEST(SkinDisableTag, LeavesThatControlAsTheSystemDrawsIt) {
  std::wstring harness = ToolPath();
  harness = harness.substr(0, harness.find_last_of(L'\\') + 1) + L"tests\\form_harness.exe";
  auto process = Process::Start(harness, L"text");
  ASSERT_TRUE(process);
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (form = FindTopLevel(process->Id(), L"THarnessForm")); }));
  HWND skinned = nullptr, plain = nullptr;
  for (HWND child : Descendants(form)) {
    if (Text(child) == L"Show") skinned = child;
    if (Text(child) == L"Plain") plain = child;
  }
  ASSERT_TRUE(skinned && plain);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return CountIn(skinned, "button.border") + CountIn(skinned, "button.border.focused") > 0;
      },
      5s));
  EXPECT_EQ(CountIn(plain, "button.border"), 0);
  EXPECT_GT(Capture(WindowRectOf(plain)).Count(GetSysColor(COLOR_BTNFACE)), 0);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(process->WaitExit(), 0u);
}

}  // namespace
}  // namespace harness

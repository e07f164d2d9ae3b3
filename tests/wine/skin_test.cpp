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
  INPUT input = MouseInput(screen, MOUSEEVENTF_MOVE);
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
  INPUT input = MouseInput(*grip, MOUSEEVENTF_LEFTDOWN);
  SendInput(1, &input, sizeof input);
  // The move starts once the window's thread is in its move loop; the cursor moves after that.
  const auto moving = [&] { return InMoveLoop(main_); };
  EXPECT_TRUE(WaitUntil(moving, 5s)) << "no move loop after a press on the caption";
  MoveMouseTo({grip->x + 40, grip->y + 30});
  WaitUntil([&] { return WindowRectOf(main_).left != before.left; }, 2s);
  input = MouseInput({grip->x + 40, grip->y + 30}, MOUSEEVENTF_LEFTUP);
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

// While the window is repainted, restored or uncovered, no frame on screen shows the system's own
// look of the controls: the buttons and the radio buttons are never seen undrawn by the skin.
TEST_F(Skin, NeverShowsTheSystemsLookWhileRepainting) {
  const RECT area = WindowRectOf(main_);
  const COLORREF systemColors[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DDKSHADOW),
                                   GetSysColor(COLOR_ACTIVECAPTION)};
  const HWND buttons[] = {Control(L"Button", L"更新"), Control(L"Button", L"退出"),
                          Control(L"Button", L"设置"), Control(L"Button", kOffChoice)};
  int frames = 0;
  const auto expectSkinnedFrames = [&](const char* when, int count) {
    for (int i = 0; i < count; ++i, ++frames) {
      for (HWND button : buttons) {
        const Capture capture(WindowRectOf(button));
        for (COLORREF color : systemColors) {
          ASSERT_EQ(capture.Count(color), 0) << when << ": the system's look showed";
        }
      }
    }
  };
  for (int round = 0; round < 10; ++round) {
    RedrawWindow(main_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    expectSkinnedFrames("repainted", 3);
  }
  // Uncovered: a window of the test's own moves over the tool and goes.
  const HWND cover =
      CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT,
                      area.left + 20, area.top + 20, 200, 200, nullptr, nullptr, nullptr, nullptr);
  PumpUntil([] { return false; }, 100ms);
  DestroyWindow(cover);
  expectSkinnedFrames("uncovered", 10);
  // Restored from the taskbar.
  SendMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main_) != FALSE; }, 5s));
  PostMessageW(main_, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(main_); }, 5s));
  expectSkinnedFrames("restored", 10);
  EXPECT_GT(frames, 0);
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
  HWND form = nullptr;
  auto process = StartFormHarness(L"text", form);
  ASSERT_TRUE(process && form);
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

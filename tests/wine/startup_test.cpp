// Start-up: one copy per log-on session, guarded by the mutex "Vornasta"; exit code 0 always.
#include "harness.h"

namespace harness {
namespace {

// A start that must end at once, silently: exit code 0 and no window at any time.
void ExpectEndsSilently() {
  auto second = Process::Start(ToolPath());
  ASSERT_TRUE(second);
  bool showedWindow = false;
  const bool ended = WaitUntil([&] {
    showedWindow = showedWindow || !TopLevelWindows(second->Id()).empty();
    return !second->Running();
  });
  ASSERT_TRUE(ended) << "the second copy did not end";
  EXPECT_EQ(second->WaitExit(0ms), 0u);
  EXPECT_FALSE(showedWindow) << "the second copy showed a window";
}

TEST(Startup, FirstCopyShowsItsWindowAndEndsWithCodeZero) {
  auto tool = Process::Start(ToolPath());
  ASSERT_TRUE(tool);
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (main = FindTopLevel(tool->Id(), L"TForm1")) != nullptr; }))
      << "the main window did not appear";
  EXPECT_EQ(Text(main), L"Vornasta");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tool->WaitExit(), 0u);
}

// A window of the test's own, holding the foreground, to see that nobody takes it.
class ForegroundWindow {
 public:
  ForegroundWindow() {
    window_ = CreateWindowExW(0, L"STATIC", L"test foreground", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(window_);
    PumpUntil([&] { return GetForegroundWindow() == window_; }, 5s);
  }
  ~ForegroundWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TEST(Startup, SecondCopyEndsAtOnceAndLeavesTheFirstUntouched) {
  auto first = Process::Start(ToolPath());
  ASSERT_TRUE(first);
  HWND main = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (main = FindTopLevel(first->Id(), L"TForm1")) != nullptr; }));
  const RECT before = WindowRectOf(main);
  ForegroundWindow foreground;
  ASSERT_EQ(GetForegroundWindow(), foreground.get()) << "the test could not take the foreground";

  ExpectEndsSilently();

  PumpUntil([] { return false; }, 200ms);  // let any activation the second copy caused arrive
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetForegroundWindow(), foreground.get()) << "the first copy was activated";
  const RECT after = WindowRectOf(main);
  EXPECT_TRUE(EqualRect(&before, &after)) << "the first copy's window moved";
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(first->WaitExit(), 0u);
}

TEST(Startup, StartsAgainAfterTheFirstCopyEnded) {
  for (int round = 0; round < 2; ++round) {
    auto tool = Process::Start(ToolPath());
    ASSERT_TRUE(tool);
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = FindTopLevel(tool->Id(), L"TForm1")) != nullptr; }))
        << "round " << round << ": the main window did not appear";
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(tool->WaitExit(), 0u);
  }
}

struct NamedObject {
  const char* kind;
  HANDLE (*create)();
};

class HeldName : public ::testing::TestWithParam<NamedObject> {};

// Another program holding the name, as a mutex or as any other kind of object, keeps the tool
// from starting.
TEST_P(HeldName, KeepsTheToolFromStarting) {
  const HANDLE held = GetParam().create();
  ASSERT_TRUE(held) << "cannot create the " << GetParam().kind;
  ExpectEndsSilently();
  CloseHandle(held);
}

INSTANTIATE_TEST_SUITE_P(
    Startup, HeldName,
    ::testing::Values(
        NamedObject{"mutex", [] { return CreateMutexW(nullptr, FALSE, L"Vornasta"); }},
        NamedObject{"event", [] { return CreateEventW(nullptr, TRUE, FALSE, L"Vornasta"); }},
        NamedObject{"semaphore", [] { return CreateSemaphoreW(nullptr, 1, 1, L"Vornasta"); }}),
    [](const auto& info) { return std::string(info.param.kind); });

}  // namespace
}  // namespace harness

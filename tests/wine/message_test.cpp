// The information message, shown by a small test form: caption, text, the one "OK" button, the
// keys that dismiss it, its place on the screen, and the owner that waits for it.
#include "harness.h"

namespace harness {
namespace {

constexpr wchar_t kText[] = L"至少应该选择一项";

class Message : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_ = StartFormHarness(kText, form_);
    ASSERT_TRUE(harness_ && form_);
    ASSERT_TRUE(BringToFront(form_));
    for (HWND child : Descendants(form_)) {
      if (Text(child) == L"Show") PostMessageW(child, BM_CLICK, 0, 0);
    }
    ASSERT_TRUE(WaitUntil([&] {
      for (HWND window : TopLevelWindows(harness_->Id())) {
        if (window != form_) message_ = window;
      }
      return message_ != nullptr;
    })) << "no message appeared";
  }
  void TearDown() override {
    if (harness_ && harness_->Running()) {
      if (IsWindow(message_)) PostMessageW(message_, WM_CLOSE, 0, 0);
      PostMessageW(form_, WM_CLOSE, 0, 0);
      EXPECT_TRUE(harness_->WaitExit(5s));
    }
  }
  HWND OkButton() const {
    for (HWND child : Descendants(message_)) {
      if (ClassOf(child) == L"Button") return child;
    }
    return nullptr;
  }
  bool Dismissed() const { return !IsWindowVisible(message_) && Text(form_) == L"returned"; }

  std::unique_ptr<Process> harness_;
  HWND form_ = nullptr;
  HWND message_ = nullptr;
};

TEST_F(Message, ShowsTheTextUnderTheApplicationTitleWithOneOkButtonAndNoIcon) {
  EXPECT_EQ(Text(message_), L"Vornasta");
  EXPECT_EQ(GetWindow(message_, GW_OWNER), form_);
  std::vector<std::wstring> buttons, texts;
  for (HWND child : Descendants(message_)) {
    if (ClassOf(child) == L"Button") buttons.push_back(Text(child));
    if (ClassOf(child) == L"Static") {
      texts.push_back(Text(child));
      EXPECT_NE(StyleOf(child) & SS_TYPEMASK, static_cast<DWORD>(SS_ICON)) << "an icon";
    }
  }
  EXPECT_EQ(buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(texts, std::vector<std::wstring>{kText});
  EXPECT_EQ(StyleOf(OkButton()) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_FALSE(StyleOf(message_) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
}

TEST_F(Message, IsCentredOnTheScreenAndDisablesItsOwner) {
  const RECT rect = WindowRectOf(message_);
  EXPECT_NEAR(rect.left + rect.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(rect.top + rect.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
  EXPECT_FALSE(IsWindowEnabled(form_)) << "the owner takes input while the message is open";
  EXPECT_NE(Text(form_), L"returned") << "ShowMessage returned before the message was dismissed";
}

struct Dismissal {
  const char* name;
  void (*dismiss)(HWND message, HWND ok);
};

class Dismissing : public Message, public ::testing::WithParamInterface<Dismissal> {};

TEST_P(Dismissing, ClosesTheMessageReturnsAndEnablesTheOwner) {
  ASSERT_TRUE(BringToFront(message_));
  GetParam().dismiss(message_, OkButton());
  EXPECT_TRUE(WaitUntil([&] { return Dismissed(); }, 5s)) << "the message was not dismissed";
  EXPECT_TRUE(IsWindowEnabled(form_));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form_; }, 5s))
      << "the owner did not get the activation back";
}

void PrintTo(const Dismissal& way, std::ostream* out) {
  *out << way.name;
}

INSTANTIATE_TEST_SUITE_P(
    Message, Dismissing,
    ::testing::Values(
        Dismissal{"ClickOk",
                  [](HWND, HWND ok) {
                    const RECT rect = WindowRectOf(ok);
                    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
                  }},
        Dismissal{"Enter", [](HWND, HWND) { PressKey(VK_RETURN); }},
        Dismissal{"Esc", [](HWND, HWND) { PressKey(VK_ESCAPE); }},
        Dismissal{"CaptionClose",
                  [](HWND message, HWND) {
                    const auto point = FindCaptionHit(message, HTCLOSE);
                    ASSERT_TRUE(point);
                    ClickAt(*point);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace harness

// The apply button: which command runs, how it is started, and what the user is told. A fake
// powercfg.exe in the prefix's system directory records every start.
#include <fstream>
#include <sstream>

#include "harness.h"

namespace harness {
namespace {

constexpr wchar_t kOffChoice[] = L"禁用Windows7 休眠";
constexpr wchar_t kOnChoice[] = L"恢复Windows7 休眠";
constexpr wchar_t kHoldEvent[] = L"Vornasta.Tests.FakePowercfg.Hold";

std::wstring TempPath(const std::wstring& name) {
  wchar_t directory[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, directory);
  return directory + name;
}

std::wstring SystemDirectory() {
  wchar_t directory[MAX_PATH] = {};
  GetSystemDirectoryW(directory, MAX_PATH);
  return directory;
}

struct Start {
  std::wstring module;
  std::wstring commandLine;
  bool hidden;
  bool piped;
};

class Switch : public ToolTest {
 protected:
  void SetUp() override {
    log_ = TempPath(L"vornasta-powercfg-" +
                    std::to_wstring(::testing::UnitTest::GetInstance()->random_seed()) + L"-" +
                    std::to_wstring(GetTickCount64()) + L".log");
    SetEnvironmentVariableW(L"FAKE_POWERCFG_LOG", log_.c_str());
    SetEnvironmentVariableW(L"FAKE_POWERCFG_EXIT", nullptr);
    SetEnvironmentVariableW(L"FAKE_POWERCFG_HOLD", nullptr);
    ToolTest::SetUp();
  }
  void TearDown() override {
    ToolTest::TearDown();
    DeleteFileW(log_.c_str());
  }

  std::vector<Start> Starts() const {
    std::vector<Start> starts;
    const HANDLE file = CreateFileW(log_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return starts;
    std::string bytes(64 * 1024, '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    std::wstring text(static_cast<size_t>(bytes.size()), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    std::wistringstream lines(text);
    for (std::wstring line; std::getline(lines, line);) {
      std::wistringstream fields(line);
      Start start;
      std::wstring hidden, piped;
      std::getline(fields, start.module, L'\t');
      std::getline(fields, start.commandLine, L'\t');
      std::getline(fields, hidden, L'\t');
      std::getline(fields, piped, L'\t');
      start.hidden = hidden == L"1";
      start.piped = piped == L"1";
      starts.push_back(start);
    }
    return starts;
  }

  // Presses the apply button and returns the message it leads to.
  std::wstring PressApply() {
    PostClick(Control(L"Button", L"设置"));
    const HWND message = WaitForMessage();
    if (!message) return {};
    const std::wstring text = MessageText(message);
    DismissMessage(message);
    EXPECT_FALSE(ShowsAnotherWindow()) << "a second message after one press";
    return text;
  }

  // The fake reads its orders from the environment the tool inherits: set them, then restart.
  void RelaunchWith(const wchar_t* name, const wchar_t* value) {
    SetEnvironmentVariableW(name, value);
    ToolTest::TearDown();
    ToolTest::SetUp();
  }

  void Choose(const wchar_t* choice) { SendMessageW(Control(L"Button", choice), BM_CLICK, 0, 0); }
  bool Checked(const wchar_t* choice) const {
    return SendMessageW(Control(L"Button", choice), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  std::wstring log_;
};

TEST_F(Switch, WithoutAChoiceAsksForOneAndRunsNothing) {
  EXPECT_EQ(PressApply(), L"至少应该选择一项");
  EXPECT_TRUE(Starts().empty());
}

struct Choice {
  const wchar_t* radio;
  const wchar_t* other;
  const wchar_t* arguments;
};

class SwitchChoice : public Switch, public ::testing::WithParamInterface<Choice> {};

TEST_P(SwitchChoice, RunsTheSystemToolHiddenOncePerPressAndReportsSuccess) {
  const Choice& choice = GetParam();
  Choose(choice.radio);
  for (size_t press = 1; press <= 2; ++press) {
    EXPECT_EQ(PressApply(), L"设置成功");
    const std::vector<Start> starts = Starts();
    ASSERT_EQ(starts.size(), press) << "one start per press";
    const Start& start = starts.back();
    EXPECT_EQ(start.module, SystemDirectory() + L"\\powercfg.exe");
    EXPECT_EQ(start.commandLine,
              L"\"" + SystemDirectory() + L"\\powercfg.exe\" " + choice.arguments);
    EXPECT_TRUE(start.hidden) << "not started with SW_HIDE";
    EXPECT_TRUE(start.piped) << "its output is not captured";
    EXPECT_TRUE(Checked(choice.radio)) << "the choice changed";
    EXPECT_FALSE(Checked(choice.other));
  }
}

void PrintTo(const Choice& choice, std::ostream* out) {
  *out << Utf8(choice.arguments);
}

INSTANTIATE_TEST_SUITE_P(Switch, SwitchChoice,
                         ::testing::Values(Choice{kOffChoice, kOnChoice, L"-h off"},
                                           Choice{kOnChoice, kOffChoice, L"-h on"}),
                         [](const auto& info) { return info.index == 0 ? "Off" : "On"; });

TEST_F(Switch, AFailingCommandIsReportedWithItsOwnOutput) {
  RelaunchWith(L"FAKE_POWERCFG_EXIT", L"1");
  Choose(kOffChoice);
  const std::wstring report = PressApply();
  EXPECT_EQ(report.find(L"设置成功"), std::wstring::npos) << Utf8(report);
  EXPECT_NE(report.find(L"退出代码 1"), std::wstring::npos) << Utf8(report);
  EXPECT_NE(report.find(L"fake powercfg ran"), std::wstring::npos) << "standard output lost";
  EXPECT_NE(report.find(L"休眠设置失败：拒绝访问。"), std::wstring::npos) << "standard error lost";
}

TEST_F(Switch, ACommandThatCannotStartIsReportedWithTheSystemsReason) {
  const std::wstring installed = SystemDirectory() + L"\\powercfg.exe";
  const std::wstring aside = TempPath(L"powercfg.exe.aside");
  ASSERT_TRUE(MoveFileExW(installed.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING));
  Choose(kOnChoice);
  const std::wstring report = PressApply();
  MoveFileExW(aside.c_str(), installed.c_str(), MOVEFILE_REPLACE_EXISTING);
  EXPECT_EQ(report.find(L"设置成功"), std::wstring::npos) << Utf8(report);
  EXPECT_NE(report.find(L"无法启动"), std::wstring::npos) << Utf8(report);
  wchar_t reason[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 ERROR_FILE_NOT_FOUND, 0, reason, 512, nullptr);
  std::wstring expected = reason;
  while (!expected.empty() && (expected.back() == L'\n' || expected.back() == L'\r')) {
    expected.pop_back();
  }
  EXPECT_NE(report.find(expected), std::wstring::npos) << Utf8(report);
}

TEST_F(Switch, TheWindowPaintsButTakesNoClickWhileTheCommandRuns) {
  const HANDLE hold = CreateEventW(nullptr, TRUE, FALSE, kHoldEvent);
  RelaunchWith(L"FAKE_POWERCFG_HOLD", kHoldEvent);
  Choose(kOffChoice);
  PostClick(Control(L"Button", L"设置"));
  ASSERT_TRUE(WaitUntil([&] { return !Starts().empty(); })) << "the command did not start";

  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main_); }, 5s));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
      << "the window stopped handling its messages";
  const RECT exit = WindowRectOf(Control(L"Button", L"退出"));
  ClickAt({(exit.left + exit.right) / 2, (exit.top + exit.bottom) / 2});
  SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer);
  EXPECT_TRUE(tool_->Running()) << "a click reached the exit button";
  EXPECT_FALSE(ShowsAnotherWindow()) << "a message before the command ended";

  SetEvent(hold);
  const HWND message = WaitForMessage();
  EXPECT_EQ(MessageText(message), L"设置成功");
  DismissMessage(message);
  EXPECT_TRUE(IsWindowEnabled(main_));
  EXPECT_EQ(Starts().size(), 1u);
  CloseHandle(hold);
}

// A powercfg.exe planted next to the tool and in the current folder never runs: only the system's.
class Planted : public Switch {
 protected:
  void SetUp() override {
    const std::wstring root = TempPath(L"vornasta-planted\\");
    folder_ = root + L"Downloads";
    current_ = root + L"current";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(folder_.c_str(), nullptr);
    CreateDirectoryW(current_.c_str(), nullptr);
    const std::wstring fake = SystemDirectory() + L"\\powercfg.exe";
    ASSERT_TRUE(CopyFileW(ToolPath().c_str(), (folder_ + L"\\vandrel.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(fake.c_str(), (folder_ + L"\\powercfg.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(fake.c_str(), (current_ + L"\\powercfg.exe").c_str(), FALSE));
    Switch::SetUp();
  }
  void TearDown() override {
    Switch::TearDown();
    for (const std::wstring& file :
         {folder_ + L"\\vandrel.exe", folder_ + L"\\powercfg.exe", current_ + L"\\powercfg.exe"}) {
      DeleteFileW(file.c_str());
    }
  }
  std::wstring folder_, current_;
};

TEST_F(Planted, NeverRunsAPowercfgFromTheToolsFolderOrTheCurrentFolder) {
  ToolTest::TearDown();
  Launch(folder_ + L"\\vandrel.exe", current_);
  Choose(kOffChoice);
  EXPECT_EQ(PressApply(), L"设置成功");
  const std::vector<Start> starts = Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].module, SystemDirectory() + L"\\powercfg.exe");
}

}  // namespace
}  // namespace harness

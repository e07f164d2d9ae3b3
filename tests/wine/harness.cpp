#include "harness.h"

#include <thread>

namespace harness {

std::wstring Env(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring result = L"Z:" + path;
  for (wchar_t& c : result) {
    if (c == L'/') c = L'\\';
  }
  return result;
}

std::wstring ToolPath() {
  const std::wstring path = Env(L"VANDREL_EXE");
  if (path.empty()) ADD_FAILURE() << "VANDREL_EXE is not set";
  return WindowsPath(path);
}

std::string Utf8(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  std::string result(static_cast<size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(),
                      static_cast<int>(result.size()), nullptr, nullptr);
  return result;
}

bool WaitUntil(const std::function<bool()>& ready, Milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (ready()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
}

bool PumpUntil(const std::function<bool()>& ready, Milliseconds timeout) {
  return WaitUntil(
      [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(&message);
          DispatchMessageW(&message);
        }
        return ready();
      },
      timeout);
}

std::unique_ptr<Process> Process::Start(const std::wstring& exe, const std::wstring& arguments,
                                        const std::wstring& directory) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << Utf8(exe) << ": error " << GetLastError();
    return nullptr;
  }
  CloseHandle(info.hThread);
  return std::unique_ptr<Process>(new Process(info.hProcess, info.dwProcessId));
}

Process::~Process() {
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Process::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitExit(Milliseconds timeout) {
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  for (HWND window : TopLevelWindows(processId)) {
    if (className && ClassOf(window) != className) continue;
    if (caption && Text(window) != caption) continue;
    return window;
  }
  return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring Text(HWND window) {
  // WM_GETTEXT reads another process's control text, where GetWindowText would not.
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

RECT ClientRectOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT WindowRectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT RectInParent(HWND child) {
  RECT rect = WindowRectOf(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ToolTest::SetUp() {
  tool_ = Process::Start(ToolPath());
  ASSERT_TRUE(tool_);
  ASSERT_TRUE(WaitUntil([&] { return (main_ = FindTopLevel(tool_->Id(), L"TForm1")) != nullptr; }))
      << "the main window (class TForm1) did not appear";
}

void ToolTest::TearDown() {
  if (tool_ && tool_->Running()) {
    if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
    if (!tool_->WaitExit(5s)) ADD_FAILURE() << "the tool did not end after WM_CLOSE";
  }
  tool_.reset();
}

HWND ToolTest::Control(const wchar_t* className, const std::wstring& text) const {
  std::vector<HWND> matches;
  for (HWND child : Descendants(main_)) {
    if (_wcsicmp(ClassOf(child).c_str(), className) == 0 && (text.empty() || Text(child) == text)) {
      matches.push_back(child);
    }
  }
  EXPECT_EQ(matches.size(), 1u) << "controls of class " << Utf8(className) << " with text '"
                                << Utf8(text) << "'";
  return matches.empty() ? nullptr : matches.front();
}

void ToolTest::PostClick(HWND button) const { PostMessageW(button, BM_CLICK, 0, 0); }

HWND ToolTest::WaitForMessage() const {
  HWND message = nullptr;
  const bool shown = WaitUntil([&] {
    for (HWND window : TopLevelWindows(tool_->Id())) {
      if (window != main_ && GetWindow(window, GW_OWNER) == main_) message = window;
    }
    return message != nullptr;
  });
  EXPECT_TRUE(shown) << "no information message appeared";
  return message;
}

void ToolTest::ExpectClosesWithCodeZero(const std::function<void()>& close) {
  close();
  const std::optional<DWORD> code = tool_->WaitExit();
  ASSERT_TRUE(code.has_value()) << "the tool did not end";
  EXPECT_EQ(*code, 0u);
}

}  // namespace harness

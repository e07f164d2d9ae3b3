// A stand-in for the system's powercfg.exe, installed in the test prefix's system directory.
// It records how it was started, says something on both output streams and exits with the code
// the test asks for. Driven by the environment it inherits from the test, through the tool:
//   FAKE_POWERCFG_LOG      file to append one line to: module path, command line, started
//                          hidden (1/0), standard output is a pipe (1/0); tab-separated, UTF-8
//   FAKE_POWERCFG_EXIT     exit code (default 0)
//   FAKE_POWERCFG_HOLD     name of an event to wait for before exiting (default: none)
#include <windows.h>

#include <string>

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length && length < 1024 ? value : L"";
}

void Write(DWORD stream, const std::wstring& text, UINT codePage) {
  const int size = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  bytes.pop_back();  // the terminating zero
  DWORD written = 0;
  WriteFile(GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
}

}  // namespace

int wmain() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  STARTUPINFOW startup{};
  GetStartupInfoW(&startup);
  const bool hidden = (startup.dwFlags & STARTF_USESHOWWINDOW) && startup.wShowWindow == SW_HIDE;
  const bool piped = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_PIPE;

  const std::wstring log = Env(L"FAKE_POWERCFG_LOG");
  if (!log.empty()) {
    const HANDLE file =
        CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::wstring line = std::wstring(module) + L"\t" + GetCommandLineW() + L"\t" +
                              (hidden ? L"1" : L"0") + L"\t" + (piped ? L"1" : L"0") + L"\n";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() - 1), &written, nullptr);
    CloseHandle(file);
  }

  const std::wstring hold = Env(L"FAKE_POWERCFG_HOLD");
  if (!hold.empty()) {
    const HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, hold.c_str());
    if (release) WaitForSingleObject(release, 60000);
  }

  const std::wstring exitText = Env(L"FAKE_POWERCFG_EXIT");
  const int exitCode = exitText.empty() ? 0 : std::stoi(exitText);
  // Console programs write in the OEM code page.
  Write(STD_OUTPUT_HANDLE, L"fake powercfg ran\r\n", GetOEMCP());
  if (exitCode != 0) Write(STD_ERROR_HANDLE, L"休眠设置失败：拒绝访问。\r\n", GetOEMCP());
  return exitCode;
}

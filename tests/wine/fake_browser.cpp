// A stand-in for the default web browser, registered by the link tests as the handler of http
// addresses in their prefix. It appends the address it was given, one line, UTF-8, to the file
// named by FAKE_BROWSER_LOG.
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::wstring address = count > 1 ? arguments[1] : L"";
  LocalFree(arguments);
  wchar_t log[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"FAKE_BROWSER_LOG", log, MAX_PATH)) return 1;
  const std::wstring line = address + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  const HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() - 1), &written, nullptr);
  CloseHandle(file);
  return 0;
}

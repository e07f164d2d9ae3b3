#include "environment.h"

#include <cwchar>

#include "forms/win.h"

namespace sys {

void RestrictDllSearchToSystem() {
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  SetDllDirectoryW(L"");
}

std::wstring SystemToolPath(const wchar_t* fileName) {
  wchar_t directory[MAX_PATH] = {};
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) {
    const UINT length = GetWindowsDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(directory, length) + L"\\Sysnative\\" + fileName;
  }
  const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(directory, length) + L"\\" + fileName;
}

bool IsProcessElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const forms::UniqueHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    wchar_t code[16] = {};
    swprintf(code, 16, L"0x%08lX", error);
    text = code;
  }
  return text;
}

}  // namespace sys

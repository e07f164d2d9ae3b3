// What the tool needs to know about the system it runs on.
#pragma once

#include <windows.h>

#include <string>

namespace sys {

// From here on, DLLs load from the system directory only: never from the exe's own folder (a
// Downloads folder, say) or the current one. Windows 7 without SetDefaultDllDirectories at least
// drops the current folder.
void RestrictDllSearchToSystem();

// Full path of a program in the system directory, built from the Windows API, never from the
// environment. A 32-bit process on 64-bit Windows gets the 64-bit system directory (Sysnative),
// since WOW64 would otherwise redirect it to the 32-bit one.
std::wstring SystemToolPath(const wchar_t* fileName);

// Whether the process runs with an elevated (administrator) token.
bool IsProcessElevated();

// The system's own text for a Win32 error code, in the user's language.
std::wstring SystemErrorText(DWORD error);

}  // namespace sys

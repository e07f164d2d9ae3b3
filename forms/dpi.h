// DPI awareness and scaling. The newer calls are looked up at run time so the tool still starts
// on Windows 7, which only knows system-wide awareness.
#pragma once

#include <windows.h>

namespace forms {

constexpr int kDesignDpi = 96;

// Per-monitor (v2) where Windows offers it, else system-aware.
void DeclareDpiAwareness();

// The DPI a window is shown at (the system DPI where per-monitor DPI is unknown).
int DpiForWindow(HWND window);
int SystemDpi();

// Outer size of a window whose client area is `client`, at `dpi`.
RECT AdjustWindowRectForDpi(RECT client, DWORD style, DWORD exStyle, int dpi);

int GetSystemMetricForDpi(int index, int dpi);

inline int Scale(int value, int dpi, int designDpi = kDesignDpi) {
  return MulDiv(value, dpi, designDpi);
}

}  // namespace forms

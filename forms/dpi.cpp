#include "dpi.h"

namespace forms {
namespace {

template <typename Function>
Function User32Function(const char* name) {
  // user32 is loaded by every GUI process; the lookup never loads a library.
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

void DeclareDpiAwareness() {
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  if (auto setContext = User32Function<SetContext>("SetProcessDpiAwarenessContext")) {
    if (setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
  }
  SetProcessDPIAware();
}

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int DpiForWindow(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  if (auto getDpi = User32Function<GetDpi>("GetDpiForWindow")) {
    if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

RECT AdjustWindowRectForDpi(RECT client, DWORD style, DWORD exStyle, int dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  if (auto adjust = User32Function<AdjustForDpi>("AdjustWindowRectExForDpi")) {
    adjust(&client, style, FALSE, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  }
  return client;
}

int GetSystemMetricForDpi(int index, int dpi) {
  using MetricForDpi = int(WINAPI*)(int, UINT);
  if (auto metric = User32Function<MetricForDpi>("GetSystemMetricsForDpi")) {
    return metric(index, static_cast<UINT>(dpi));
  }
  return GetSystemMetrics(index);
}

}  // namespace forms

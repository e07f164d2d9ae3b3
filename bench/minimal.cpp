// The yardstick for the benchmark: a Win32 program that only shows an empty window of the tool's
// size and frame, built with the same toolchain and flags.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  info.lpfnWndProc = WindowProc;
  info.hInstance = instance;
  info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  info.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  info.lpszClassName = L"MinimalWindow";
  RegisterClassExW(&info);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT rect{0, 0, 347, 250};
  AdjustWindowRectEx(&rect, style, FALSE, 0);
  const HWND window = CreateWindowExW(0, L"MinimalWindow", L"Minimal", style, CW_USEDEFAULT,
                                      CW_USEDEFAULT, rect.right - rect.left,
                                      rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

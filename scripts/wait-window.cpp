// Used by scripts/run.sh: waits until a visible top-level window of the given class is up and its
// thread has painted it, then prints its screen rectangle as "left top width height".
// With a button's text as well, it clicks that button first and waits for the window of CLASS
// that the click brings up (an information message, say).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The window of `className`, visible and done with the messages queued before ours.
HWND WaitFor(const wchar_t* className) {
  for (int tries = 0; tries < 3000; ++tries) {
    const HWND window = FindWindowW(className, nullptr);
    DWORD_PTR answer = 0;
    if (window && IsWindowVisible(window) &&
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
      return window;
    }
    Sleep(10);
  }
  return nullptr;
}

HWND FindButton(HWND parent, const std::wstring& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t caption[256] = {};
    SendMessageW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(caption));
    if (text == caption) return child;
    if (const HWND inner = FindButton(child, text)) return inner;
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: wait-window CLASS [MAIN_CLASS BUTTON_TEXT]\n");
    return 2;
  }
  if (argc == 4) {
    const HWND main = WaitFor(argv[2]);
    const HWND button = main ? FindButton(main, argv[3]) : nullptr;
    if (!button) {
      std::fprintf(stderr, "wait-window: no such button\n");
      return 1;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
  }
  const HWND window = WaitFor(argv[1]);
  if (!window) {
    std::fprintf(stderr, "wait-window: no window of that class appeared\n");
    return 1;
  }
  RECT rect;
  GetWindowRect(window, &rect);
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
              rect.bottom - rect.top);
  return 0;
}

// Used by scripts/run.sh: waits until a visible top-level window of the given class is up and its
// thread has painted it, then prints its screen rectangle as "left top width height".
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wait-window CLASS\n");
    return 2;
  }
  for (int tries = 0; tries < 3000; ++tries) {
    const HWND window = FindWindowW(argv[1], nullptr);
    DWORD_PTR answer = 0;
    // Once the window's thread answers, it has handled the paint messages queued before ours.
    if (window && IsWindowVisible(window) &&
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
      RECT rect;
      GetWindowRect(window, &rect);
      std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
      return 0;
    }
    Sleep(10);
  }
  std::fprintf(stderr, "wait-window: no window of that class appeared\n");
  return 1;
}

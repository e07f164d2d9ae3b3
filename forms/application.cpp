#include "application.h"

#include "forms/dpi.h"

namespace forms {

void TApplication::Initialize() {
  DeclareDpiAwareness();
}

void TApplication::ReportLoadFailure(const char* reason) {
  failed_ = true;
  const std::wstring text = L"The window description cannot be read:\n" + Widen(reason);
  MessageBoxW(nullptr, text.c_str(), Title.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::Dispatch(MSG& message) {
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && TForm::FromHandle(root) && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

DWORD TApplication::WaitPumping(std::span<const HANDLE> handles, DWORD timeoutMs) {
  const auto count = static_cast<DWORD>(handles.size());
  const DWORD signalled = MsgWaitForMultipleObjectsEx(count, handles.data(), timeoutMs, QS_ALLINPUT,
                                                      MWMO_INPUTAVAILABLE);
  if (signalled != WAIT_OBJECT_0 + count) return signalled;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that owns it
      return WAIT_FAILED;
    }
    Dispatch(message);
  }
  return WAIT_TIMEOUT;
}

void TApplication::Run() {
  if (failed_ || !mainForm_) return;
  mainForm_->Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

}  // namespace forms

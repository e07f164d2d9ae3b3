// vandrel: the entry. One copy per log-on session; the mutex decides which copy keeps running.
#include <windows.h>

#include "forms/application.h"
#include "ui/Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // No "Global\" prefix: the guard holds per log-on session.
  const HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Vornasta");
  if (!mutex) return 0;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return 0;
  }
  // The mutex stays held until the process ends; Windows releases it then.

  forms::TApplication Application;
  Application.Initialize();
  Application.Title = L"Vornasta";
  TForm1* Form1 = nullptr;
  Application.CreateForm(Form1);
  Application.Run();
  return 0;
}

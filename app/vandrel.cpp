// vandrel: the entry. One copy per log-on session; the mutex decides which copy keeps running.
#include <windows.h>

#include <cstdlib>

#include "forms/application.h"
#include "system/environment.h"
#include "ui/Unit1.h"

// The run-time's default terminate handler prints the demangled type of an uncaught exception,
// which links the whole demangler (some 70 KB) into an exe that has no console to print to.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // First of all, before anything may load a DLL: the tool runs elevated, often from a folder
  // where anyone can drop one.
  sys::RestrictDllSearchToSystem();

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

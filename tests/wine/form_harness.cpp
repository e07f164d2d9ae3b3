// A small test form for the form layer's pieces that the tool itself shows only in some states:
// its first button shows an information message with the text given on the command line; its
// second carries the skin's DisableTag, so the skin leaves it as the system draws it; its label has
// the hand pointer, which the Probe button checks in this process.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "forms/application.h"
#include "forms/form.h"
#include "skin/skin.h"

namespace {

class THarnessForm : public forms::TForm {
 public:
  THarnessForm(forms::TApplication& application, std::wstring message)
      : TForm(application, "THarnessForm"), message_(std::move(message)) {}

 protected:
  void Bind(forms::Binder& binder) override {
    binder.Component("SkinData1", SkinData1);
    binder.Handler("ShowClick", &THarnessForm::ShowClick);
    binder.Handler("LinkClick", &THarnessForm::LinkClick);
    binder.Handler("ProbeClick", &THarnessForm::ProbeClick);
  }

 private:
  void ShowClick(forms::TObject*) {
    ShowMessage(message_);
    SetWindowTextW(Handle(), L"returned");  // tells the test that ShowMessage came back
  }

  void LinkClick(forms::TObject*) {}

  // Tells the test, through the caption, which pointer the system shows now.
  void ProbeClick(forms::TObject*) {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    const bool hand = info.hCursor == LoadCursorW(nullptr, IDC_HAND);
    SetWindowTextW(Handle(), hand ? L"cursor: hand" : L"cursor: other");
  }

  std::wstring message_;
  skin::TSkinData* SkinData1 = nullptr;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  const std::wstring message = count > 1 ? arguments[1] : L"";
  LocalFree(arguments);

  forms::TApplication Application;
  Application.Initialize();
  Application.Title = L"Vornasta";
  THarnessForm* HarnessForm = nullptr;
  Application.CreateForm(HarnessForm, message);
  Application.Run();
  return 0;
}

// TApplication: owns the forms, holds the title and runs the message loop.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "forms/painter.h"

namespace forms {

class TApplication {
 public:
  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Caption of the information messages; the main form's taskbar button shows its own caption.
  std::wstring Title;

  void Initialize();

  // Creates a form from its description; the first form created is the main form. A form whose
  // description cannot be read is reported and not created, and Run then returns at once.
  template <typename FormClass, typename... Arguments>
  void CreateForm(FormClass*& reference, Arguments&&... arguments) {
    auto form = std::make_unique<FormClass>(*this, std::forward<Arguments>(arguments)...);
    try {
      form->Load();
    } catch (const std::exception& error) {
      ReportLoadFailure(error.what());
      return;
    }
    reference = form.get();
    if (!mainForm_) mainForm_ = form.get();
    forms_.push_back(std::move(form));
  }

  // Shows the main form and dispatches messages until it is closed.
  void Run();

  TForm* MainForm() const { return mainForm_; }

  // The skin that draws every form created from now on, and their controls (nullptr: the system's
  // own look). Owned by the component that sets it, which lives on the main form.
  Painter* SkinPainter() const { return painter_; }
  void SetSkinPainter(Painter* painter) { painter_ = painter; }

  // One message through the dialog keyboard handling of its form, or dispatched.
  static void Dispatch(MSG& message);

  // Waits for one of `handles` like WaitForMultipleObjects while this thread's windows go on
  // painting. Returns WAIT_FAILED when the application is quitting.
  static DWORD WaitPumping(std::span<const HANDLE> handles, DWORD timeoutMs);

 private:
  void ReportLoadFailure(const char* reason);

  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  Painter* painter_ = nullptr;
  bool failed_ = false;
};

}  // namespace forms

// TForm: a top-level window built from its stored description. The description is read and the
// form's members and handlers are bound by name before a single window exists, so a broken
// description or a missing handler never leaves a half-built window.
#pragma once

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "description/form_model.h"
#include "forms/controls.h"
#include "forms/painter.h"
#include "forms/win.h"

namespace forms {

class TApplication;
class TForm;

// A description that cannot be turned into this form.
class FormError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Binds the members and handlers a form class declares to the objects its description names.
class Binder {
 public:
  explicit Binder(TForm& form) : form_(form) {}

  template <typename Control>
  void Member(std::string_view name, Control*& field) {
    TControl& control = Find(name);
    if (control.Stored().cls != Control::kClass) {
      throw FormError("'" + std::string(name) + "' is of another class in the description");
    }
    field = static_cast<Control*>(&control);
  }

  // Creates the non-visual component `name` of the description as a `Component`, owned by the form.
  template <typename NonVisual>
  void Component(std::string_view name, NonVisual*& field) {
    const description::Component& stored = FindComponent(name, NonVisual::kClassName);
    auto component = std::make_unique<NonVisual>(form_, stored);
    field = component.get();
    Adopt(std::move(component));
  }

  template <typename Form>
  void Handler(std::string_view name, void (Form::*method)(TObject* Sender)) {
    Form* form = static_cast<Form*>(&form_);
    handlers_[std::string(name)] = [form, method](TObject* sender) { (form->*method)(sender); };
  }

  const std::map<std::string, TNotifyEvent, std::less<>>& Handlers() const { return handlers_; }
  bool Bound(std::string_view component) const {
    return std::find(bound_.begin(), bound_.end(), component) != bound_.end();
  }

 private:
  TControl& Find(std::string_view name);
  const description::Component& FindComponent(std::string_view name, std::string_view className);
  void Adopt(std::unique_ptr<TComponent> component);

  TForm& form_;
  std::map<std::string, TNotifyEvent, std::less<>> handlers_;
  std::vector<std::string> bound_;
};

enum ModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

class TForm : public TComponent {
  friend class Binder;

 public:
  TForm(TApplication& application, std::string className, HWND owner = nullptr);
  ~TForm() override;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  // Reads the description stored as an RCDATA resource named after the form's class.
  void Load();
  void Load(description::Form form);

  HWND Handle() const { return window_; }
  const description::Form& Stored() const { return stored_; }
  const std::vector<std::unique_ptr<TControl>>& Controls() const { return controls_; }
  int Dpi() const { return dpi_; }
  HFONT FontHandle() const { return font_.get(); }
  bool IsModal() const { return modal_; }
  // What the skin keeps for this form.
  std::unique_ptr<PaintState> paintState;
  TApplication& Application() const { return application_; }

  void Show();
  // Asks the window to close; the request is posted, so a handler may call it safely.
  void Close();
  // Shows the form with its owner disabled and returns once a button or Esc closed it.
  int ShowModal();

  static TForm* FromHandle(HWND window);

  // While it lives, the form paints but takes no input; the focus comes back afterwards.
  class InputBlock {
   public:
    explicit InputBlock(TForm& form);
    ~InputBlock();
    InputBlock(const InputBlock&) = delete;
    InputBlock& operator=(const InputBlock&) = delete;

   private:
    TForm& form_;
    HWND focus_;
  };

 protected:
  virtual void Bind(Binder& binder) = 0;
  // The information message: modal, owned by this form, captioned with the application title.
  void ShowMessage(std::wstring_view text);

  int ModalResult = mrNone;

 private:
  static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateWindows();
  void Layout(int dpi);
  void PlaceWindow(int dpi);
  DWORD Style() const;
  DWORD ExStyle() const;
  void OnActivate(bool active);
  void OnNextControl(WPARAM wParam, LPARAM lParam);
  void OnDialogCommand(int id);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnEraseBackground(HDC dc);
  void FocusControl(HWND control);
  TButton* FindButton(bool isDefault) const;
  int ControlId(const TControl& control) const;

  TApplication& application_;
  std::string className_;
  HWND owner_;
  description::Form stored_;
  std::vector<std::unique_ptr<TControl>> controls_;
  std::vector<std::unique_ptr<TComponent>> components_;
  HWND window_ = nullptr;
  HWND lastFocus_ = nullptr;
  int dpi_ = 96;
  Font font_;
  Brush backgroundBrush_;
  bool modal_ = false;
};

}  // namespace forms

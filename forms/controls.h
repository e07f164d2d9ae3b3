// The standard controls of a form. Each is one real Win32 control of its usual class (BUTTON,
// EDIT, STATIC), so keyboard navigation, accessibility and UI automation work as anywhere else.
// The control is subclassed only to take notifications that its parent reflects back to it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "description/form_model.h"
#include "forms/painter.h"
#include "forms/win.h"

namespace forms {

class TForm;

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent : public TObject {
 public:
  explicit TComponent(std::string name) : name_(std::move(name)) {}
  const std::string& Name() const { return name_; }

 protected:
  std::string name_;
};

class TControl : public TComponent {
 public:
  explicit TControl(const description::Control& stored);
  ~TControl() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return window_; }
  const description::Control& Stored() const { return stored_; }
  int Tag() const { return stored_.tag; }

  // Creates the window, hidden geometry aside; Layout places it and gives it its font.
  void CreateHandle(TForm& form, HWND parent, int id, DWORD extraStyle);
  TForm* Form() const { return form_; }
  // What the skin keeps for this control.
  std::unique_ptr<PaintState> paintState;
  // The control's own handling of a message, without the skin: for a skin that lets it work.
  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    return WndProc(message, wParam, lParam);
  }
  // The standard control's procedure alone.
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Layout(int dpi, int designDpi, HFONT parentFont);
  HFONT CurrentFont() const;

  TNotifyEvent OnClick;

  // The control behind a window of this form layer, or nullptr for any other window.
  static TControl* FromHandle(HWND window);

  // Hands WM_COMMAND and WM_CTLCOLOR* that a parent received back to the child that sent them.
  static bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 protected:
  struct CreateArgs {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
  };
  virtual CreateArgs Args() const = 0;
  virtual std::wstring InitialText() const;
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void Notify(WORD code);
  // The brush for WM_CTLCOLOR*, or nullptr to let the parent's default answer.
  virtual HBRUSH CtlColor(HDC dc);
  void Click() {
    if (OnClick) OnClick(this);
  }

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  description::Control stored_;
  TForm* form_ = nullptr;
  HWND window_ = nullptr;
  WNDPROC original_ = nullptr;
  Font ownFont_;
  HFONT font_ = nullptr;
};

class TGroupBox : public TControl {
 public:
  static constexpr auto kClass = description::ControlClass::GroupBox;
  using TControl::TControl;

 protected:
  CreateArgs Args() const override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TMemo : public TControl {
 public:
  static constexpr auto kClass = description::ControlClass::Memo;
  using TControl::TControl;

 protected:
  CreateArgs Args() const override;
  std::wstring InitialText() const override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TRadioButton : public TControl {
 public:
  static constexpr auto kClass = description::ControlClass::RadioButton;
  using TControl::TControl;
  bool Checked() const;

 protected:
  CreateArgs Args() const override;
  void Notify(WORD code) override;
};

class TButton : public TControl {
 public:
  static constexpr auto kClass = description::ControlClass::Button;
  using TControl::TControl;
  void PerformClick() { Click(); }

 protected:
  CreateArgs Args() const override;
  void Notify(WORD code) override;
};

class TLabel : public TControl {
 public:
  static constexpr auto kClass = description::ControlClass::Label;
  using TControl::TControl;
  void Layout(int dpi, int designDpi, HFONT parentFont) override;

 protected:
  CreateArgs Args() const override;
  void Notify(WORD code) override;
  HBRUSH CtlColor(HDC dc) override;
};

// A font as the description gives it, at `dpi`.
Font CreateFormFont(const description::Font& font, int dpi, int designDpi);
COLORREF ToColorRef(const description::Color& color);

}  // namespace forms

#include "form.h"

#include <algorithm>
#include <climits>
#include <map>
#include <numeric>

#include "forms/application.h"
#include "forms/dpi.h"
#include "forms/message.h"

namespace forms {
namespace {

constexpr wchar_t kFormProperty[] = L"forms.TForm";
// Control ids stay clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and Esc.
constexpr int kFirstControlId = 100;

std::unique_ptr<TControl> MakeControl(const description::Control& stored) {
  switch (stored.cls) {
    case description::ControlClass::GroupBox:
      return std::make_unique<TGroupBox>(stored);
    case description::ControlClass::Memo:
      return std::make_unique<TMemo>(stored);
    case description::ControlClass::RadioButton:
      return std::make_unique<TRadioButton>(stored);
    case description::ControlClass::Button:
      return std::make_unique<TButton>(stored);
    case description::ControlClass::Label:
      return std::make_unique<TLabel>(stored);
  }
  throw FormError("unknown control class");
}

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

}  // namespace

TControl& Binder::Find(std::string_view name) {
  for (const auto& control : form_.Controls()) {
    if (control->Name() == name) return *control;
  }
  throw FormError("the description has no '" + std::string(name) + "'");
}

const description::Component& Binder::FindComponent(std::string_view name,
                                                    std::string_view className) {
  for (const description::Component& component : form_.Stored().components) {
    if (component.name != name) continue;
    if (component.className != className) {
      throw FormError("'" + std::string(name) + "' is of another class in the description");
    }
    bound_.push_back(component.name);
    return component;
  }
  throw FormError("the description has no '" + std::string(name) + "'");
}

void Binder::Adopt(std::unique_ptr<TComponent> component) {
  form_.components_.push_back(std::move(component));
}

TForm::TForm(TApplication& application, std::string className, HWND owner)
    : TComponent(""), application_(application), className_(std::move(className)), owner_(owner) {}

TForm::~TForm() {
  if (window_) DestroyWindow(window_);
}

TForm* TForm::FromHandle(HWND window) {
  return static_cast<TForm*>(GetPropW(window, kFormProperty));
}

void TForm::Load() {
  const std::wstring resource = Widen(className_);
  const HRSRC info = FindResourceW(Instance(), resource.c_str(), MAKEINTRESOURCEW(10));
  const HGLOBAL data = info ? LoadResource(Instance(), info) : nullptr;
  const char* text = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!text) throw FormError("no description is stored for " + className_);
  Load(description::ReadForm(std::string_view(text, SizeofResource(Instance(), info))));
}

void TForm::Load(description::Form form) {
  if (form.className != className_) {
    throw FormError("the description is of " + form.className + ", not of " + className_);
  }
  stored_ = std::move(form);
  name_ = stored_.name;
  for (const description::Control& control : stored_.controls) {
    controls_.push_back(MakeControl(control));
  }
  Binder binder(*this);
  Bind(binder);
  for (const description::Component& component : stored_.components) {
    if (!binder.Bound(component.name)) {
      throw FormError("the description's '" + component.name + "' has no member in " + className_);
    }
  }
  for (const auto& control : controls_) {
    const std::string& handler = control->Stored().onClick;
    if (handler.empty()) continue;
    const auto found = binder.Handlers().find(handler);
    if (found == binder.Handlers().end()) {
      throw FormError("'" + control->Name() + "' names the handler '" + handler + "', which " +
                      className_ + " does not have");
    }
    control->OnClick = found->second;
  }
  CreateWindows();
}

DWORD TForm::Style() const {
  using description::BorderStyle;
  DWORD style = WS_CLIPSIBLINGS;
  if (stored_.borderStyle != BorderStyle::None) style |= WS_CAPTION;
  if (stored_.borderStyle == BorderStyle::Sizeable) style |= WS_THICKFRAME;
  if (stored_.systemMenu) style |= WS_SYSMENU;
  // Like any dialog frame, bsDialog has no minimize or maximize box.
  if (stored_.borderStyle != BorderStyle::Dialog) {
    if (stored_.minimize) style |= WS_MINIMIZEBOX;
    if (stored_.maximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD TForm::ExStyle() const {
  DWORD exStyle = 0;
  if (stored_.borderStyle == description::BorderStyle::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
  const bool hasBoxes = (Style() & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
  if (stored_.help && stored_.systemMenu && !hasBoxes) exStyle |= WS_EX_CONTEXTHELP;
  return exStyle;
}

void TForm::CreateWindows() {
  const std::wstring windowClass = Widen(className_);
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (!GetClassInfoExW(Instance(), windowClass.c_str(), &info)) {
    info.style = CS_DBLCLKS;
    info.lpfnWndProc = &TForm::StaticWndProc;
    info.hInstance = Instance();
    info.hIcon = LoadIconW(Instance(), L"MAINICON");
    info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    info.lpszClassName = windowClass.c_str();
    RegisterClassExW(&info);
  }
  window_ = CreateWindowExW(ExStyle(), windowClass.c_str(), Widen(stored_.caption).c_str(), Style(),
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner_, nullptr, Instance(), this);
  if (!window_) throw FormError("the window of " + className_ + " cannot be created");
  if (stored_.color.system) {
    backgroundBrush_.Reset();
  } else {
    backgroundBrush_ = Brush(CreateSolidBrush(ToColorRef(stored_.color)));
  }

  // Siblings are stacked in tab order, which is the order the dialog manager walks; controls
  // without a tab order (labels) go last.
  std::vector<size_t> zOrder(controls_.size());
  std::iota(zOrder.begin(), zOrder.end(), size_t{0});
  std::stable_sort(zOrder.begin(), zOrder.end(), [&](size_t a, size_t b) {
    const auto key = [&](size_t i) {
      const int tab = controls_[i]->Stored().tabOrder;
      return tab < 0 ? INT_MAX : tab;
    };
    return key(a) < key(b);
  });
  // Consecutive radio buttons form one group; every other control starts a group of its own.
  std::vector<DWORD> groupStyle(controls_.size(), 0);
  std::map<int, bool> previousWasRadio;
  for (size_t i : zOrder) {
    const description::Control& stored = controls_[i]->Stored();
    const bool radio = stored.cls == description::ControlClass::RadioButton;
    if (!radio || !previousWasRadio[stored.parent]) groupStyle[i] = WS_GROUP;
    previousWasRadio[stored.parent] = radio;
  }
  for (size_t i = 0; i < controls_.size(); ++i) {
    const int parent = controls_[i]->Stored().parent;
    const HWND parentWindow =
        parent < 0 ? window_ : controls_[static_cast<size_t>(parent)]->Handle();
    controls_[i]->CreateHandle(*this, parentWindow, kFirstControlId + static_cast<int>(i),
                               groupStyle[i]);
  }
  for (size_t i : zOrder) {
    SetWindowPos(controls_[i]->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  dpi_ = DpiForWindow(window_);
  Layout(dpi_);
  PlaceWindow(dpi_);
}

void TForm::Layout(int dpi) {
  const int designDpi = stored_.pixelsPerInch;
  Font font = CreateFormFont(stored_.font, dpi, designDpi);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  for (const auto& control : controls_) {
    const int parent = control->Stored().parent;
    const HFONT parentFont =
        parent < 0 ? font.get() : controls_[static_cast<size_t>(parent)]->CurrentFont();
    control->Layout(dpi, designDpi, parentFont);
  }
  font_ = std::move(font);
}

void TForm::PlaceWindow(int dpi) {
  const int designDpi = stored_.pixelsPerInch;
  const RECT client{0, 0, Scale(stored_.clientWidth, dpi, designDpi),
                    Scale(stored_.clientHeight, dpi, designDpi)};
  const RECT outer = AdjustWindowRectForDpi(client, Style(), ExStyle(), dpi);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  int left = Scale(stored_.left, dpi, designDpi);
  int top = Scale(stored_.top, dpi, designDpi);
  switch (stored_.position) {
    case description::Position::DesktopCenter:
      left = (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2;
      top = (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2;
      break;
    case description::Position::ScreenCenter:
      left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
      top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
      break;
    case description::Position::Designed:
      break;
  }
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

void TForm::Close() {
  if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

int TForm::ShowModal() {
  modal_ = true;
  ModalResult = mrNone;
  const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
  if (owner_) EnableWindow(owner_, FALSE);
  Show();
  MSG message;
  while (ModalResult == mrNone && window_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The application is quitting: leave the loop and let the outer one see WM_QUIT too.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TApplication::Dispatch(message);
  }
  // Enable the owner before the form goes, so that Windows hands the activation back to it.
  if (ownerWasEnabled) EnableWindow(owner_, TRUE);
  if (window_) ShowWindow(window_, SW_HIDE);
  modal_ = false;
  return ModalResult == mrNone ? mrCancel : ModalResult;
}

TForm::InputBlock::InputBlock(TForm& form) : form_(form), focus_(GetFocus()) {
  EnableWindow(form_.window_, FALSE);
}

TForm::InputBlock::~InputBlock() {
  EnableWindow(form_.window_, TRUE);
  if (focus_ && IsWindow(focus_) && IsChild(form_.window_, focus_)) form_.FocusControl(focus_);
}

void TForm::ShowMessage(std::wstring_view text) {
  forms::ShowMessage(application_, window_, stored_.font, text);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetPropW(window, kFormProperty, form);
  }
  TForm* form = FromHandle(window);
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kFormProperty);
    form->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    LRESULT result = 0;
    Painter* painter = form->application_.SkinPainter();
    if (painter && painter->FormMessage(*form, message, wParam, lParam, result)) return result;
    return form->WndProc(message, wParam, lParam);
  } catch (...) {
    // An exception must never unwind through user32; the message gets its default answer.
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (TControl::Reflect(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) OnDialogCommand(LOWORD(wParam));
      return 0;
    case DM_GETDEFID: {
      // A focused push button answers Enter; otherwise the default button, if there is one.
      auto* focused = TControl::FromHandle(GetFocus());
      const TControl* button = focused && focused->Stored().cls == description::ControlClass::Button
                                   ? focused
                                   : FindButton(true);
      return button ? MAKELRESULT(ControlId(*button), DC_HASDEFID) : 0;
    }
    case WM_NEXTDLGCTL:
      OnNextControl(wParam, lParam);
      return 0;
    case WM_ACTIVATE:
      if (HIWORD(wParam)) break;  // minimized
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_SETFOCUS:
      OnActivate(true);
      return 0;
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOMMAND:
      // A fixed border means a fixed size, whoever asks.
      if ((wParam & 0xFFF0) == SC_MAXIMIZE && !(Style() & WS_MAXIMIZEBOX)) return 0;
      if ((wParam & 0xFFF0) == SC_SIZE && !(Style() & WS_THICKFRAME)) return 0;
      break;
    case WM_CLOSE:
      if (modal_) {
        ModalResult = mrCancel;
      } else {
        DestroyWindow(window_);
      }
      return 0;
    case WM_DESTROY:
      if (application_.MainForm() == this) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TForm::OnActivate(bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
    return;
  }
  if (lastFocus_ && IsWindow(lastFocus_) && IsChild(window_, lastFocus_)) {
    FocusControl(lastFocus_);
  } else if (const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
    FocusControl(first);
  }
}

void TForm::OnNextControl(WPARAM wParam, LPARAM lParam) {
  // lParam set: wParam is the control itself; otherwise the next (wParam 0) or previous tab stop.
  const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
  if (next) FocusControl(next);
}

void TForm::FocusControl(HWND control) {
  SetFocus(control);
  lastFocus_ = control;
}

void TForm::OnDialogCommand(int id) {
  // The dialog manager's Enter and Esc, for buttons it could not reach itself (inside a group box).
  if (id == IDCANCEL) {
    if (TButton* cancel = FindButton(false)) cancel->PerformClick();
    return;
  }
  for (const auto& control : controls_) {
    if (ControlId(*control) == id && control->Stored().cls == description::ControlClass::Button) {
      static_cast<TButton*>(control.get())->PerformClick();
      return;
    }
  }
}

TButton* TForm::FindButton(bool isDefault) const {
  for (const auto& control : controls_) {
    const description::Control& stored = control->Stored();
    if (stored.cls == description::ControlClass::Button &&
        (isDefault ? stored.isDefault : stored.isCancel)) {
      return static_cast<TButton*>(control.get());
    }
  }
  return nullptr;
}

int TForm::ControlId(const TControl& control) const {
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].get() == &control) return kFirstControlId + static_cast<int>(i);
  }
  return 0;
}

void TForm::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  Layout(dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::OnEraseBackground(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  const HBRUSH brush = backgroundBrush_ ? backgroundBrush_.get()
                                        : GetSysColorBrush(static_cast<int>(stored_.color.value));
  FillRect(dc, &client, brush);
}

}  // namespace forms

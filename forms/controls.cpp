#include "controls.h"

#include "forms/application.h"
#include "forms/dpi.h"
#include "forms/form.h"

namespace forms {
namespace {

constexpr wchar_t kControlProperty[] = L"forms.TControl";

}  // namespace

COLORREF ToColorRef(const description::Color& color) {
  return color.system ? GetSysColor(static_cast<int>(color.value)) : color.value;
}

Font CreateFormFont(const description::Font& font, int dpi, int designDpi) {
  LOGFONTW logFont{};
  logFont.lfHeight = MulDiv(font.height, dpi, designDpi);
  logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = font.italic;
  logFont.lfUnderline = font.underline;
  logFont.lfStrikeOut = font.strikeOut;
  logFont.lfCharSet = static_cast<BYTE>(font.charset);
  logFont.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = Widen(font.name);
  face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
  return Font(CreateFontIndirectW(&logFont));
}

TControl::TControl(const description::Control& stored) : TComponent(stored.name), stored_(stored) {}

TControl::~TControl() {
  if (window_) DestroyWindow(window_);
}

std::wstring TControl::InitialText() const {
  return Widen(stored_.caption);
}

void TControl::CreateHandle(TForm& form, HWND parent, int id, DWORD extraStyle) {
  form_ = &form;
  const CreateArgs args = Args();
  window_ = CreateWindowExW(args.exStyle, args.windowClass, InitialText().c_str(),
                            WS_CHILD | WS_VISIBLE | args.style | extraStyle, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) return;
  SetPropW(window_, kControlProperty, this);
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::SubclassProc)));
}

void TControl::Layout(int dpi, int designDpi, HFONT parentFont) {
  // The old font is deleted only once the window holds the new one.
  Font ownFont = stored_.font ? CreateFormFont(*stored_.font, dpi, designDpi) : Font();
  font_ = ownFont ? ownFont.get() : parentFont;
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  ownFont_ = std::move(ownFont);
  const description::Bounds& b = stored_.bounds;
  SetWindowPos(window_, nullptr, Scale(b.left, dpi, designDpi), Scale(b.top, dpi, designDpi),
               Scale(b.width, dpi, designDpi), Scale(b.height, dpi, designDpi),
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

HFONT TControl::CurrentFont() const {
  return font_;
}

TControl* TControl::FromHandle(HWND window) {
  return window ? static_cast<TControl*>(GetPropW(window, kControlProperty)) : nullptr;
}

bool TControl::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->Notify(HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

LRESULT TControl::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(original_, window_, message, wParam, lParam);
}

LRESULT TControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR && stored_.cursor == description::Cursor::HandPoint &&
      LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return CallOriginal(message, wParam, lParam);
}

void TControl::Notify(WORD) {}

HBRUSH TControl::CtlColor(HDC) {
  return nullptr;
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TControl*>(GetPropW(window, kControlProperty));
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC original = control->original_;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(window, kControlProperty);
    control->window_ = nullptr;
    return CallWindowProcW(original, window, message, wParam, lParam);
  }
  try {
    LRESULT result = 0;
    Painter* painter = control->form_ ? control->form_->Application().SkinPainter() : nullptr;
    if (painter && painter->ControlMessage(*control, message, wParam, lParam, result)) {
      return result;
    }
    return control->WndProc(message, wParam, lParam);
  } catch (...) {
    // An exception must never unwind through user32; the message gets its default answer.
    return control->CallOriginal(message, wParam, lParam);
  }
}

TControl::CreateArgs TGroupBox::Args() const {
  return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
}

LRESULT TGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Reflect(message, wParam, lParam, result)) return result;
  // Esc in a multi-line edit posts WM_CLOSE to the edit's parent; a group box would destroy
  // itself and every control in it.
  if (message == WM_CLOSE) return 0;
  return TControl::WndProc(message, wParam, lParam);
}

TControl::CreateArgs TMemo::Args() const {
  const description::Control& s = Stored();
  DWORD style = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (s.readOnly) style |= ES_READONLY;
  if (!s.wordWrap) style |= ES_AUTOHSCROLL;
  if (s.scrollBars == description::ScrollBars::Vertical ||
      s.scrollBars == description::ScrollBars::Both) {
    style |= WS_VSCROLL;
  }
  if (s.scrollBars == description::ScrollBars::Horizontal ||
      s.scrollBars == description::ScrollBars::Both) {
    style |= WS_HSCROLL;
  }
  return {L"EDIT", style, WS_EX_CLIENTEDGE};
}

std::wstring TMemo::InitialText() const {
  std::wstring text;
  for (const std::string& line : Stored().lines) {
    if (&line != &Stored().lines.front()) text += L"\r\n";
    text += Widen(line);
  }
  return text;
}

LRESULT TMemo::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = TControl::WndProc(message, wParam, lParam);
  // The note does not take Tab: like any dialog control, Tab and Shift+Tab move the focus on.
  if (message == WM_GETDLGCODE && lParam) {
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
      result &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    }
  }
  return result;
}

TControl::CreateArgs TRadioButton::Args() const {
  // Like any radio group: only the checked button is a tab stop, so Tab lands on the choice.
  return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (Stored().checked ? WS_TABSTOP : 0)),
          0};
}

bool TRadioButton::Checked() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::Notify(WORD code) {
  if (code != BN_CLICKED) return;
  for (HWND sibling = GetWindow(GetParent(Handle()), GW_CHILD); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    auto* radio = FromHandle(sibling);
    if (!radio || radio->Stored().cls != kClass) continue;
    const bool checked = static_cast<TRadioButton*>(radio)->Checked();
    const LONG_PTR style = GetWindowLongPtrW(sibling, GWL_STYLE);
    SetWindowLongPtrW(sibling, GWL_STYLE, checked ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  Click();
}

TControl::CreateArgs TButton::Args() const {
  return {L"BUTTON",
          static_cast<DWORD>(WS_TABSTOP | (Stored().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
          0};
}

void TButton::Notify(WORD code) {
  if (code == BN_CLICKED) Click();
}

TControl::CreateArgs TLabel::Args() const {
  // SS_NOTIFY makes the label hit-testable, so it gets the mouse and its click.
  return {L"STATIC",
          static_cast<DWORD>(SS_LEFT | SS_NOPREFIX | (Stored().onClick.empty() ? 0 : SS_NOTIFY)),
          0};
}

void TLabel::Layout(int dpi, int designDpi, HFONT parentFont) {
  TControl::Layout(dpi, designDpi, parentFont);
  if (!Stored().autoSize) return;
  WindowDC screen(Handle());
  SelectObjectScope select(screen.get(), CurrentFont());
  const std::wstring text = WindowText(Handle());
  RECT extent{0, 0, 0, 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent,
            DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
  SetWindowPos(Handle(), nullptr, 0, 0, extent.right, extent.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::Notify(WORD code) {
  if (code == STN_CLICKED) Click();
}

HBRUSH TLabel::CtlColor(HDC dc) {
  if (Stored().font) SetTextColor(dc, ToColorRef(Stored().font->color));
  if (!Stored().transparent) return nullptr;
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace forms

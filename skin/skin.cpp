#include "skin.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "forms/application.h"
#include "forms/dpi.h"
#include "skin/draw.h"

namespace skin {
namespace {

using description::ControlClass;
using forms::Scale;

constexpr UINT_PTR kHintTimer = 0x534B;  // "SK"
constexpr UINT kHintDelayMs = 400;
constexpr UINT kHintCheckMs = 100;
constexpr UINT kScrollRepeatDelayMs = 400;
constexpr UINT kScrollRepeatMs = 50;
constexpr wchar_t kHintClass[] = L"THintWindow";

// ---- per-window state ----

struct FormState : forms::PaintState {
  bool active = true;
  LRESULT hot = HTNOWHERE;
  LRESULT pressed = HTNOWHERE;
  bool trackingLeave = false;
  HWND hint = nullptr;
  ~FormState() override {
    if (hint) DestroyWindow(hint);
  }
};

enum class ScrollPart { None, UpArrow, PageUp, Thumb, PageDown, DownArrow };

struct ControlState : forms::PaintState {
  bool hot = false;
  bool trackingLeave = false;
  ScrollPart scrollHot = ScrollPart::None;
  ScrollPart scrollPressed = ScrollPart::None;
  std::optional<int> dragThumbTop;
};

template <typename State, typename Owner>
State& StateOf(Owner& owner) {
  if (!owner.paintState) owner.paintState = std::make_unique<State>();
  return static_cast<State&>(*owner.paintState);
}

int DpiOf(HWND window) {
  return forms::DpiForWindow(window);
}
int PixelScale(int dpi) {
  return std::max(1, (dpi + 48) / 96);
}

RECT ClientInWindow(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT frame;
  GetWindowRect(window, &frame);
  OffsetRect(&client, -frame.left, -frame.top);
  return client;
}

RECT WindowSize(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  return {0, 0, frame.right - frame.left, frame.bottom - frame.top};
}

POINT ToWindow(HWND window, POINT screen) {
  RECT frame;
  GetWindowRect(window, &frame);
  return {screen.x - frame.left, screen.y - frame.top};
}

// Repaints the non-client area now, in the caller's hands rather than the system's.
template <typename Paint>
void PaintNonClient(HWND window, Paint&& paint) {
  const HDC dc = GetWindowDC(window);
  const RECT client = ClientInWindow(window);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  {
    Buffer buffer(dc, WindowSize(window));
    paint(buffer.dc());
  }
  ReleaseDC(window, dc);
}

// ---- the caption ----

struct CaptionLayout {
  RECT caption{};
  RECT close{};
  std::optional<RECT> minimize;
  RECT icon{};
  bool hasIcon = false;
};

CaptionLayout LayoutCaption(HWND window, const Theme& theme) {
  CaptionLayout layout;
  const RECT size = WindowSize(window);
  const RECT client = ClientInWindow(window);
  const int frame = size.bottom - client.bottom;
  layout.caption = {frame, frame, size.right - frame, client.top};
  const int dpi = DpiOf(window);
  const int inset = Scale(2, dpi);
  const int width = Scale(theme.Metric("caption.button.width"), dpi);
  const int gap = Scale(theme.Metric("caption.button.gap"), dpi);
  const RECT& c = layout.caption;
  layout.close = {c.right - inset - width, c.top + inset, c.right - inset, c.bottom - inset};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  if (style & WS_MINIMIZEBOX) {
    layout.minimize = RECT{layout.close.left - gap - width, layout.close.top,
                           layout.close.left - gap, layout.close.bottom};
  }
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  layout.hasIcon = (style & WS_SYSMENU) && !(exStyle & WS_EX_DLGMODALFRAME);
  const int iconSize = forms::GetSystemMetricForDpi(SM_CXSMICON, dpi);
  layout.icon = {c.left + inset * 2, c.top + (c.bottom - c.top - iconSize) / 2,
                 c.left + inset * 2 + iconSize,
                 c.top + (c.bottom - c.top - iconSize) / 2 + iconSize};
  return layout;
}

LRESULT CaptionButtonAt(HWND window, const Theme& theme, POINT screen) {
  const CaptionLayout layout = LayoutCaption(window, theme);
  const POINT at = ToWindow(window, screen);
  if (PtInRect(&layout.close, at)) return HTCLOSE;
  if (layout.minimize && PtInRect(&*layout.minimize, at)) return HTMINBUTTON;
  return HTNOWHERE;
}

void PaintFrame(forms::TForm& form, const Theme& theme) {
  const HWND window = form.Handle();
  const FormState& state = StateOf<FormState>(form);
  PaintNonClient(window, [&](HDC dc) {
    const bool active = state.active;
    const CaptionLayout layout = LayoutCaption(window, theme);
    FillSolid(dc, WindowSize(window), Ref(theme.Color(active ? "frame.active" : "frame.inactive")));
    FillVertical(dc, layout.caption, theme.Fill(active ? "caption.active" : "caption.inactive"));
    const COLORREF ink = Ref(theme.Color(active ? "caption.text.active" : "caption.text.inactive"));
    const int dpi = DpiOf(window);
    const int radius = Scale(theme.Metric("button.radius"), dpi);
    const auto button = [&](const RECT& rect, LRESULT hit, const Glyph& glyph) {
      const bool close = hit == HTCLOSE;
      if (state.pressed == hit) {
        RoundedBox(
            dc, rect, radius,
            theme.Fill(close ? "caption.button.close.pressed" : "caption.button.pressed"),
            Ref(theme.Color(close ? "caption.button.close.pressed" : "caption.button.pressed")));
      } else if (state.hot == hit) {
        RoundedBox(dc, rect, radius,
                   theme.Fill(close ? "caption.button.close.hot" : "caption.button.hot"),
                   Ref(theme.Color(close ? "caption.button.close.hot" : "caption.button.hot")));
      }
      DrawGlyph(dc, glyph, rect, ink, PixelScale(dpi));
    };
    button(layout.close, HTCLOSE, theme.GlyphOf("glyph.close"));
    if (layout.minimize) button(*layout.minimize, HTMINBUTTON, theme.GlyphOf("glyph.minimize"));

    RECT text = layout.caption;
    text.left += Scale(6, dpi);
    if (layout.hasIcon) {
      const auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
      const auto bigIcon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
      DrawIconEx(dc, layout.icon.left, layout.icon.top, icon ? icon : bigIcon,
                 layout.icon.right - layout.icon.left, layout.icon.bottom - layout.icon.top, 0,
                 nullptr, DI_NORMAL);
      text.left = layout.icon.right + Scale(4, dpi);
    }
    text.right = (layout.minimize ? layout.minimize->left : layout.close.left) - Scale(4, dpi);
    const std::wstring title = forms::WindowText(window);
    forms::SelectObjectScope font(dc, form.FontHandle());
    SetTextColor(dc, ink);
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  });
}

// ---- the caption buttons' hints ----

struct HintData {
  const Theme* theme;
  HFONT font;
};

LRESULT CALLBACK HintProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* data = reinterpret_cast<HintData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_PAINT && data) {
    forms::PaintScope paint(window);
    RECT client;
    GetClientRect(window, &client);
    FillSolid(paint.dc(), client, Ref(data->theme->Color("hint.back")));
    const forms::Brush border(CreateSolidBrush(Ref(data->theme->Color("hint.border"))));
    FrameRect(paint.dc(), &client, border.get());
    const std::wstring text = forms::WindowText(window);
    forms::SelectObjectScope font(paint.dc(), data->font);
    SetBkMode(paint.dc(), TRANSPARENT);
    SetTextColor(paint.dc(), Ref(data->theme->Color("hint.text")));
    DrawTextW(paint.dc(), text.c_str(), static_cast<int>(text.size()), &client,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    return 0;
  }
  if (message == WM_NCDESTROY) delete data;
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(window, message, wParam, lParam);
}

void HideHint(FormState& state) {
  if (state.hint) ShowWindow(state.hint, SW_HIDE);
}

void ShowHint(forms::TForm& form, const Theme& theme) {
  FormState& state = StateOf<FormState>(form);
  if (state.hot != HTCLOSE && state.hot != HTMINBUTTON) return;
  if (!state.hint) {
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), kHintClass, &info)) {
      info.lpfnWndProc = HintProc;
      info.hInstance = GetModuleHandleW(nullptr);
      info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      info.lpszClassName = kHintClass;
      info.style = CS_SAVEBITS;
      RegisterClassExW(&info);
    }
    state.hint = CreateWindowExW(
        WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, L"", WS_POPUP, 0, 0, 0, 0,
        form.Handle(), nullptr, GetModuleHandleW(nullptr), new HintData{&theme, form.FontHandle()});
  }
  const std::wstring text =
      forms::Widen(theme.Text(state.hot == HTCLOSE ? "hint.close" : "hint.minimize"));
  SetWindowTextW(state.hint, text.c_str());
  const int dpi = form.Dpi();
  RECT extent{0, 0, 0, 0};
  {
    forms::WindowDC screen(state.hint);
    forms::SelectObjectScope font(screen.get(), form.FontHandle());
    DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  }
  POINT cursor;
  GetCursorPos(&cursor);
  const int width = extent.right + Scale(10, dpi);
  const int height = extent.bottom + Scale(6, dpi);
  const int left = std::min<int>(cursor.x, GetSystemMetrics(SM_CXVIRTUALSCREEN) - width);
  SetWindowPos(state.hint, HWND_TOPMOST, left, cursor.y + Scale(20, dpi), width, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(state.hint, nullptr, TRUE);
}

// Follows the mouse after a press on a caption button: the button shows pressed while the mouse is
// over it, and acts if it is released there.
void TrackCaptionButton(forms::TForm& form, const Theme& theme, LRESULT hit) {
  const HWND window = form.Handle();
  FormState& state = StateOf<FormState>(form);
  HideHint(state);
  state.pressed = hit;
  PaintFrame(form, theme);
  SetCapture(window);
  bool released = false, inside = true;
  MSG message;
  while (GetCapture() == window) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    // The release may come as a client or a non-client message, depending on when it was queued.
    const bool up = message.message == WM_LBUTTONUP || message.message == WM_NCLBUTTONUP;
    if (up || message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
      inside = CaptionButtonAt(window, theme, message.pt) == hit;
      if (up) {
        released = true;
        break;
      }
      const LRESULT shown = inside ? hit : HTNOWHERE;
      if (shown != state.pressed) {
        state.pressed = shown;
        PaintFrame(form, theme);
      }
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ReleaseCapture();
  state.pressed = HTNOWHERE;
  state.hot = HTNOWHERE;
  PaintFrame(form, theme);
  if (released && inside) {
    SendMessageW(window, WM_SYSCOMMAND, hit == HTCLOSE ? SC_CLOSE : SC_MINIMIZE, 0);
  }
}

// ---- controls ----

bool ChangesButtonState(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CAPTURECHANGED:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case BM_CLICK:
    case WM_UPDATEUISTATE:
      return true;
    default:
      return false;
  }
}

// Children that paint their own background are left out of a parent's painting, so nothing is
// drawn twice; transparent labels are not, since they show what the parent paints.
void ExcludeOpaqueChildren(HWND parent, HDC dc) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const forms::TControl* control = forms::TControl::FromHandle(child);
    if (control && control->Stored().transparent) continue;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  }
}

void DrawPushButton(forms::TControl& control, const Theme& theme, HDC dc, const RECT& rect) {
  const HWND window = control.Handle();
  const auto& state = StateOf<ControlState>(control);
  const LRESULT buttonState = control.CallOriginal(BM_GETSTATE, 0, 0);
  const bool pushed = buttonState & BST_PUSHED;
  const bool focused = GetFocus() == window;
  const bool enabled = IsWindowEnabled(window);
  const int dpi = DpiOf(window);
  FillSolid(dc, rect, Ref(theme.Color("face")));
  const char* fill = !enabled    ? "button.disabled"
                     : pushed    ? "button.pressed"
                     : state.hot ? "button.hot"
                                 : "button.normal";
  const char* border = focused     ? "button.border.focused"
                       : state.hot ? "button.border.hot"
                                   : "button.border";
  RECT box = rect;
  InflateRect(&box, -1, -1);
  RoundedBox(dc, box, Scale(theme.Metric("button.radius"), dpi), theme.Fill(fill),
             Ref(theme.Color(border)));
  if (focused) {
    RECT inner = box;
    InflateRect(&inner, -1, -1);
    RoundedFrame(dc, inner, Scale(theme.Metric("button.radius"), dpi), Ref(theme.Color("focus")));
  }
  RECT text = rect;
  if (pushed) OffsetRect(&text, 1, 1);
  const std::wstring caption = forms::WindowText(window);
  forms::SelectObjectScope font(dc, control.CurrentFont());
  SetTextColor(dc, Ref(theme.Color(enabled ? "button.text" : "button.text.disabled")));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void DrawRadioButton(forms::TControl& control, const Theme& theme, HDC dc, const RECT& rect) {
  const HWND window = control.Handle();
  const auto& state = StateOf<ControlState>(control);
  const bool checked = control.CallOriginal(BM_GETCHECK, 0, 0) == BST_CHECKED;
  const bool enabled = IsWindowEnabled(window);
  const int dpi = DpiOf(window);
  FillSolid(dc, rect, Ref(theme.Color("face")));
  const int size = Scale(theme.Metric("radio.size"), dpi);
  const int top = rect.top + (rect.bottom - rect.top - size) / 2;
  const RECT ring{rect.left, top, rect.left + size, top + size};
  Disc(dc, ring, Ref(theme.Color("radio.fill")),
       Ref(theme.Color(state.hot ? "radio.ring.hot" : "radio.ring")));
  if (checked) {
    RECT dot = ring;
    const int inset = size * 3 / 10;
    InflateRect(&dot, -inset, -inset);
    Disc(dc, dot, Ref(theme.Color("radio.dot")), Ref(theme.Color("radio.dot")));
  }
  const std::wstring caption = forms::WindowText(window);
  forms::SelectObjectScope font(dc, control.CurrentFont());
  RECT text = rect;
  text.left = ring.right + Scale(4, dpi);
  RECT measured = text;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
            DT_SINGLELINE | DT_CALCRECT);
  SetTextColor(dc, Ref(theme.Color(enabled ? "text" : "button.text.disabled")));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (GetFocus() == window) {
    const int textHeight = measured.bottom - measured.top;
    const RECT focus{text.left - 1, rect.top + (rect.bottom - rect.top - textHeight) / 2 - 1,
                     std::min<LONG>(rect.right, measured.right + 2),
                     rect.top + (rect.bottom - rect.top + textHeight) / 2 + 1};
    DrawDottedRect(dc, focus, Ref(theme.Color("focus")));
  }
}

void DrawGroupBox(forms::TControl& control, const Theme& theme, HDC dc, const RECT& rect) {
  const HWND window = control.Handle();
  const int dpi = DpiOf(window);
  FillSolid(dc, rect, Ref(theme.Color("face")));
  const std::wstring caption = forms::WindowText(window);
  forms::SelectObjectScope font(dc, control.CurrentFont());
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
            DT_SINGLELINE | DT_CALCRECT);
  RECT border = rect;
  border.top += measured.bottom / 2;
  RoundedFrame(dc, border, Scale(theme.Metric("group.radius"), dpi),
               Ref(theme.Color("group.border")));
  RECT text{rect.left + Scale(8, dpi), rect.top, rect.left + Scale(8, dpi) + measured.right,
            rect.top + measured.bottom};
  RECT behind = text;
  InflateRect(&behind, Scale(2, dpi), 0);
  FillSolid(dc, behind, Ref(theme.Color("face")));
  SetTextColor(dc, Ref(theme.Color("group.text")));
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_LEFT);
}

void DrawControl(forms::TControl& control, const Theme& theme, HDC target) {
  RECT client;
  GetClientRect(control.Handle(), &client);
  Buffer buffer(target, client);
  switch (control.Stored().cls) {
    case ControlClass::Button:
      DrawPushButton(control, theme, buffer.dc(), client);
      break;
    case ControlClass::RadioButton:
      DrawRadioButton(control, theme, buffer.dc(), client);
      break;
    case ControlClass::GroupBox:
      DrawGroupBox(control, theme, buffer.dc(), client);
      break;
    default:
      break;
  }
}

void Redraw(forms::TControl& control, const Theme& theme) {
  const HWND window = control.Handle();
  if (!IsWindow(window) || !IsWindowVisible(window)) return;
  const HDC dc = GetDC(window);
  if (control.Stored().cls == ControlClass::GroupBox) ExcludeOpaqueChildren(window, dc);
  DrawControl(control, theme, dc);
  ReleaseDC(window, dc);
}

void TrackLeave(HWND window, bool& tracking, DWORD flags) {
  if (tracking) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | flags, window, 0};
  tracking = TrackMouseEvent(&track);
}

// ---- the note's border and scroll bar ----

struct ScrollLayout {
  RECT bar{}, up{}, down{}, thumb{};
  int trackTop = 0, trackLength = 0, thumbLength = 0;
  SCROLLINFO info{};
  bool visible = false;
};

ScrollLayout LayoutScrollBar(HWND window, const ControlState& state) {
  ScrollLayout layout;
  if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL)) return layout;
  const RECT client = ClientInWindow(window);
  const int width = forms::GetSystemMetricForDpi(SM_CXVSCROLL, DpiOf(window));
  layout.bar = {client.right, client.top, client.right + width, client.bottom};
  layout.visible = true;
  const int arrow = std::min<int>(width, (client.bottom - client.top) / 2);
  layout.up = {layout.bar.left, layout.bar.top, layout.bar.right, layout.bar.top + arrow};
  layout.down = {layout.bar.left, layout.bar.bottom - arrow, layout.bar.right, layout.bar.bottom};
  layout.info.cbSize = sizeof layout.info;
  layout.info.fMask = SIF_ALL;
  GetScrollInfo(window, SB_VERT, &layout.info);
  layout.trackTop = layout.up.bottom;
  layout.trackLength = layout.down.top - layout.up.bottom;
  const int range = layout.info.nMax - layout.info.nMin + 1;
  const int page = static_cast<int>(layout.info.nPage);
  if (range > page && page > 0 && layout.trackLength > 0) {
    layout.thumbLength = std::max(width / 2, MulDiv(layout.trackLength, page, range));
    const int travel = layout.trackLength - layout.thumbLength;
    const int top = state.dragThumbTop.value_or(
        layout.trackTop + MulDiv(travel, layout.info.nPos - layout.info.nMin, range - page));
    layout.thumb = {layout.bar.left + 1, top, layout.bar.right - 1, top + layout.thumbLength};
  }
  return layout;
}

ScrollPart ScrollPartAt(const ScrollLayout& layout, POINT at) {
  if (!layout.visible || !PtInRect(&layout.bar, at)) return ScrollPart::None;
  if (PtInRect(&layout.up, at)) return ScrollPart::UpArrow;
  if (PtInRect(&layout.down, at)) return ScrollPart::DownArrow;
  if (layout.thumbLength == 0) return ScrollPart::None;
  if (at.y < layout.thumb.top) return ScrollPart::PageUp;
  if (at.y >= layout.thumb.bottom) return ScrollPart::PageDown;
  return ScrollPart::Thumb;
}

void PaintEditFrame(forms::TControl& control, const Theme& theme) {
  const HWND window = control.Handle();
  const ControlState& state = StateOf<ControlState>(control);
  PaintNonClient(window, [&](HDC dc) {
    const RECT size = WindowSize(window);
    FillSolid(dc, size, Ref(theme.Color("face")));
    const bool focused = GetFocus() == window;
    const forms::Brush border(
        CreateSolidBrush(Ref(theme.Color(focused ? "edit.border.focused" : "edit.border"))));
    FrameRect(dc, &size, border.get());
    const ScrollLayout layout = LayoutScrollBar(window, state);
    if (!layout.visible) return;
    FillSolid(dc, layout.bar, Ref(theme.Color("scroll.track")));
    const int dpi = DpiOf(window);
    const auto arrow = [&](const RECT& rect, ScrollPart part, const char* glyph) {
      const bool lit = state.scrollHot == part || state.scrollPressed == part;
      RECT box = rect;
      InflateRect(&box, -1, -1);
      FillSolid(dc, box, Ref(theme.Color(lit ? "scroll.arrow.hot" : "scroll.arrow.back")));
      DrawGlyph(dc, theme.GlyphOf(glyph), rect, Ref(theme.Color("scroll.arrow")), PixelScale(dpi));
    };
    arrow(layout.up, ScrollPart::UpArrow, "glyph.arrow.up");
    arrow(layout.down, ScrollPart::DownArrow, "glyph.arrow.down");
    if (layout.thumbLength > 0) {
      const bool lit =
          state.scrollHot == ScrollPart::Thumb || state.scrollPressed == ScrollPart::Thumb;
      RECT thumb = layout.thumb;
      InflateRect(&thumb, -1, 0);
      const Rgb color = theme.Color(lit ? "scroll.thumb.hot" : "scroll.thumb");
      RoundedBox(dc, thumb, Scale(2, dpi), {color, color}, Ref(color));
    }
  });
}

WPARAM ScrollCommand(ScrollPart part) {
  switch (part) {
    case ScrollPart::UpArrow:
      return SB_LINEUP;
    case ScrollPart::DownArrow:
      return SB_LINEDOWN;
    case ScrollPart::PageUp:
      return SB_PAGEUP;
    case ScrollPart::PageDown:
      return SB_PAGEDOWN;
    default:
      return SB_ENDSCROLL;
  }
}

// Our own tracking of a press on the scroll bar, so that it is drawn in the skin all along.
void TrackScrollBar(forms::TControl& control, const Theme& theme, POINT screen) {
  const HWND window = control.Handle();
  ControlState& state = StateOf<ControlState>(control);
  ScrollLayout layout = LayoutScrollBar(window, state);
  const ScrollPart part = ScrollPartAt(layout, ToWindow(window, screen));
  if (part == ScrollPart::None) return;
  state.scrollPressed = part;
  const int grab = ToWindow(window, screen).y - layout.thumb.top;
  int thumbPosition = layout.info.nPos;
  if (part != ScrollPart::Thumb) SendMessageW(window, WM_VSCROLL, ScrollCommand(part), 0);
  PaintEditFrame(control, theme);
  SetCapture(window);
  DWORD wait = kScrollRepeatDelayMs;
  bool inside = true;
  while (GetCapture() == window) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT) == WAIT_TIMEOUT) {
      if (part != ScrollPart::Thumb && inside) {
        SendMessageW(window, WM_VSCROLL, ScrollCommand(part), 0);
        PaintEditFrame(control, theme);
      }
      wait = kScrollRepeatMs;
      continue;
    }
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) continue;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (message.message == WM_LBUTTONUP || message.message == WM_NCLBUTTONUP) break;
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
      const POINT at = ToWindow(window, message.pt);
      if (part == ScrollPart::Thumb) {
        layout = LayoutScrollBar(window, state);
        const int travel = layout.trackLength - layout.thumbLength;
        const int top = std::clamp<int>(at.y - grab, layout.trackTop, layout.trackTop + travel);
        state.dragThumbTop = top;
        const int range =
            layout.info.nMax - layout.info.nMin + 1 - static_cast<int>(layout.info.nPage);
        thumbPosition =
            layout.info.nMin + (travel > 0 ? MulDiv(top - layout.trackTop, range, travel) : 0);
        SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, thumbPosition), 0);
      } else {
        inside = ScrollPartAt(LayoutScrollBar(window, state), at) == part;
        state.scrollPressed = inside ? part : ScrollPart::None;
      }
      PaintEditFrame(control, theme);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ReleaseCapture();
  if (part == ScrollPart::Thumb) {
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, thumbPosition), 0);
  }
  SendMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
  state.scrollPressed = ScrollPart::None;
  state.dragThumbTop.reset();
  PaintEditFrame(control, theme);
}

bool EditMessage(forms::TControl& control, const Theme& theme, UINT message, WPARAM wParam,
                 LPARAM lParam, LRESULT& result) {
  const HWND window = control.Handle();
  ControlState& state = StateOf<ControlState>(control);
  switch (message) {
    case WM_NCPAINT:
      PaintEditFrame(control, theme);
      result = 0;
      return true;
    case WM_NCHITTEST: {
      result = control.Perform(message, wParam, lParam);
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      at = ToWindow(window, at);
      if (ScrollPartAt(LayoutScrollBar(window, state), at) != ScrollPart::None) result = HTVSCROLL;
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTVSCROLL) return false;
      if (GetFocus() != window) SetFocus(window);
      TrackScrollBar(control, theme, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      result = 0;
      return true;
    case WM_NCMOUSEMOVE: {
      const ScrollPart part =
          ScrollPartAt(LayoutScrollBar(window, state),
                       ToWindow(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      TrackLeave(window, state.trackingLeave, TME_NONCLIENT);
      if (part != state.scrollHot) {
        state.scrollHot = part;
        PaintEditFrame(control, theme);
      }
      result = 0;
      return true;
    }
    case WM_NCMOUSELEAVE:
      state.trackingLeave = false;
      state.scrollHot = ScrollPart::None;
      PaintEditFrame(control, theme);
      result = 0;
      return true;
    default: {
      // The note draws its text itself; whatever may have moved its scroll bar or focus is
      // followed by the skin's frame.
      const SCROLLINFO before = LayoutScrollBar(window, state).info;
      result = control.Perform(message, wParam, lParam);
      if (!IsWindow(window)) return true;
      const SCROLLINFO after = LayoutScrollBar(window, state).info;
      const bool moved =
          before.nPos != after.nPos || before.nPage != after.nPage || before.nMax != after.nMax;
      if (moved || message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_ENABLE ||
          message == WM_VSCROLL || message == WM_SIZE || message == WM_STYLECHANGED) {
        PaintEditFrame(control, theme);
      }
      return true;
    }
  }
}

const char* SkinKind(ControlClass cls) {
  switch (cls) {
    case ControlClass::Button:
      return "xcButton";
    case ControlClass::RadioButton:
      return "xcRadioButton";
    case ControlClass::GroupBox:
      return "xcGroupBox";
    case ControlClass::Memo:
      return "xcEdit";
    case ControlClass::Label:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

TSkinData::TSkinData(forms::TForm& form, const description::Component& stored)
    : TComponent(stored.name),
      application_(form.Application()),
      settings_(ReadSettings(stored.object)) {
  // sfMainform: this component draws every window the application creates from now on.
  if (settings_.active && settings_.formType == FormType::MainForm) {
    application_.SetSkinPainter(this);
  }
}

TSkinData::~TSkinData() {
  if (application_.SkinPainter() == this) application_.SetSkinPainter(nullptr);
}

bool TSkinData::FormMessage(forms::TForm& form, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) {
  const HWND window = form.Handle();
  if (!window) return false;
  const Theme& theme = settings_.theme;
  FormState& state = StateOf<FormState>(form);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const int saved = SaveDC(dc);
      ExcludeOpaqueChildren(window, dc);
      FillSolid(dc, client, Ref(theme.Color("face")));
      RestoreDC(dc, saved);
      result = 1;
      return true;
    }
    case WM_NCPAINT:
      PaintFrame(form, theme);
      result = 0;
      return true;
    case WM_NCACTIVATE:
      state.active = wParam != FALSE;
      PaintFrame(form, theme);
      result = TRUE;
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      // The system draws its own caption for these; the skin's goes over it at once.
      result = DefWindowProcW(window, message, wParam, lParam);
      PaintFrame(form, theme);
      return true;
    case WM_NCHITTEST: {
      result = DefWindowProcW(window, message, wParam, lParam);
      const LRESULT button =
          CaptionButtonAt(window, theme, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (button != HTNOWHERE) {
        result = button;
      } else if (result == HTCLOSE || result == HTMINBUTTON || result == HTMAXBUTTON ||
                 result == HTHELP) {
        result = HTCAPTION;  // where the system would put its own buttons
      }
      return true;
    }
    case WM_NCMOUSEMOVE: {
      const LRESULT hot =
          wParam == HTCLOSE || wParam == HTMINBUTTON ? static_cast<LRESULT>(wParam) : HTNOWHERE;
      TrackLeave(window, state.trackingLeave, TME_NONCLIENT);
      if (hot != state.hot) {
        state.hot = hot;
        HideHint(state);
        PaintFrame(form, theme);
        if (hot != HTNOWHERE && settings_.HasOption("xoCaptionButtonHint")) {
          SetTimer(window, kHintTimer, kHintDelayMs, nullptr);
        }
      }
      return false;
    }
    case WM_NCMOUSELEAVE:
      state.trackingLeave = false;
      KillTimer(window, kHintTimer);
      HideHint(state);
      if (state.hot != HTNOWHERE) {
        state.hot = HTNOWHERE;
        PaintFrame(form, theme);
      }
      return false;
    case WM_TIMER: {
      if (wParam != kHintTimer) return false;
      // Like any tooltip, the hint watches the pointer while it shows, so that it goes with the
      // pointer even when no leave message comes.
      POINT cursor;
      GetCursorPos(&cursor);
      if (state.hot == HTNOWHERE || CaptionButtonAt(window, theme, cursor) != state.hot) {
        KillTimer(window, kHintTimer);
        HideHint(state);
        if (state.hot != HTNOWHERE) {
          state.hot = HTNOWHERE;
          PaintFrame(form, theme);
        }
      } else if (!state.hint || !IsWindowVisible(state.hint)) {
        ShowHint(form, theme);
        SetTimer(window, kHintTimer, kHintCheckMs, nullptr);
      }
      result = 0;
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTCLOSE && wParam != HTMINBUTTON) return false;
      KillTimer(window, kHintTimer);
      TrackCaptionButton(form, theme, static_cast<LRESULT>(wParam));
      result = 0;
      return true;
    case WM_DESTROY:
      KillTimer(window, kHintTimer);
      if (state.hint) {
        DestroyWindow(state.hint);
        state.hint = nullptr;
      }
      return false;
    default:
      return false;
  }
}

bool TSkinData::ControlMessage(forms::TControl& control, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) {
  const description::Control& stored = control.Stored();
  const char* kind = SkinKind(stored.cls);
  if (!kind || !settings_.Draws(kind) || stored.tag == settings_.disableTag) return false;
  const Theme& theme = settings_.theme;
  if (stored.cls == ControlClass::Memo) {
    return settings_.Draws("xcScrollbar") &&
           EditMessage(control, theme, message, wParam, lParam, result);
  }
  ControlState& state = StateOf<ControlState>(control);
  switch (message) {
    case WM_PAINT: {
      forms::PaintScope paint(control.Handle());
      if (stored.cls == ControlClass::GroupBox) ExcludeOpaqueChildren(control.Handle(), paint.dc());
      DrawControl(control, theme, paint.dc());
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      DrawControl(control, theme, reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    default:
      break;
  }
  if (!ChangesButtonState(message)) return false;
  if (message == WM_MOUSEMOVE && !state.hot) {
    state.hot = true;
    TrackLeave(control.Handle(), state.trackingLeave, 0);
  } else if (message == WM_MOUSELEAVE) {
    state.hot = false;
    state.trackingLeave = false;
  }
  // The control does its work (and may draw itself on the way, as buttons do when their state
  // changes); the skin's drawing follows at once. Its click handlers run inside this call.
  result = control.Perform(message, wParam, lParam);
  Redraw(control, theme);
  return true;
}

}  // namespace skin

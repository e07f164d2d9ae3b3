#include "message.h"

#include <algorithm>

#include "forms/application.h"
#include "forms/form.h"

namespace forms {
namespace {

// Layout of the message in pixels at 96 dpi; the form scales it like any other.
constexpr int kMargin = 12;
constexpr int kTopMargin = 16;
constexpr int kSpacing = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kMinClientWidth = 160;
constexpr int kMaxTextWidth = 420;
// Room for text that measures a pixel wider once the font is scaled to another DPI.
constexpr int kTextSlack = 8;

class TMessageForm : public TForm {
 public:
  TMessageForm(TApplication& application, HWND owner) : TForm(application, "TMessageForm", owner) {}

 protected:
  void Bind(Binder& binder) override { binder.Handler("OKClick", &TMessageForm::OKClick); }

 private:
  void OKClick(TObject*) { ModalResult = mrOk; }
};

SIZE MeasureText(const description::Font& font, std::wstring_view text) {
  WindowDC screen(nullptr);
  MemoryDC dc(screen.get());
  const Font measured = CreateFormFont(font, 96, 96);
  SelectObjectScope select(dc.get(), measured.get());
  RECT extent{0, 0, kMaxTextWidth, 0};
  DrawTextW(dc.get(), text.data(), static_cast<int>(text.size()), &extent,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  return {extent.right + kTextSlack, extent.bottom};
}

description::Form MessageDescription(const std::wstring& title, const description::Font& font,
                                     std::wstring_view text) {
  const SIZE textSize = MeasureText(font, text);
  description::Form form;
  form.name = "MessageForm";
  form.className = "TMessageForm";
  form.caption = Narrow(title);
  form.borderStyle = description::BorderStyle::Dialog;
  form.systemMenu = true;
  form.minimize = form.maximize = form.help = false;
  form.position = description::Position::ScreenCenter;
  form.color = {true, COLOR_BTNFACE};
  form.font = font;
  form.font.color = {true, COLOR_WINDOWTEXT};
  form.clientWidth = std::max(
      {static_cast<int>(textSize.cx) + 2 * kMargin, kButtonWidth + 2 * kMargin, kMinClientWidth});
  const int buttonTop = kTopMargin + static_cast<int>(textSize.cy) + kSpacing;
  form.clientHeight = buttonTop + kButtonHeight + kMargin;

  description::Control message;
  message.name = "Message";
  message.cls = description::ControlClass::Label;
  message.bounds = {kMargin, kTopMargin, static_cast<int>(textSize.cx),
                    static_cast<int>(textSize.cy)};
  message.caption = Narrow(text);
  message.transparent = true;
  form.controls.push_back(message);

  description::Control ok;
  ok.name = "OK";
  ok.cls = description::ControlClass::Button;
  ok.bounds = {(form.clientWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight};
  ok.caption = "OK";  // the same word on every system, as the platform's own dialogs show it
  ok.tabOrder = 0;
  ok.isDefault = ok.isCancel = true;
  ok.onClick = "OKClick";
  form.controls.push_back(ok);
  return form;
}

}  // namespace

void ShowMessage(TApplication& application, HWND owner, const description::Font& font,
                 std::wstring_view text) {
  TMessageForm form(application, owner);
  try {
    form.Load(MessageDescription(application.Title, font, text));
  } catch (const std::exception&) {
    return;  // only if Windows refuses to create a window; nothing more can be shown then
  }
  form.ShowModal();
}

}  // namespace forms

#include "Unit1.h"

#include <shellapi.h>

#include <string>

#include "product.h"
#include "system/environment.h"
#include "ui/hibernation.h"

namespace {

constexpr wchar_t kNoChoice[] = L"至少应该选择一项";

}  // namespace

TForm1::TForm1(forms::TApplication& application) : TForm(application, "TForm1") {}

void TForm1::Bind(forms::Binder& binder) {
  binder.Component("SkinData1", SkinData1);
  binder.Member("GroupBox1", GroupBox1);
  binder.Member("Button1", Button1);
  binder.Member("Button2", Button2);
  binder.Member("RadioButton1", RadioButton1);
  binder.Member("RadioButton2", RadioButton2);
  binder.Member("Memo1", Memo1);
  binder.Member("Button3", Button3);
  binder.Member("Label1", Label1);
  binder.Handler("Button2Click", &TForm1::Button2Click);
  binder.Handler("Button3Click", &TForm1::Button3Click);
  binder.Handler("Button1Click", &TForm1::Button1Click);
  binder.Handler("Label1Click", &TForm1::Label1Click);
}

void TForm1::Button2Click(forms::TObject*) {
  Close();
}

void TForm1::Button3Click(forms::TObject*) {
  if (!RadioButton1->Checked() && !RadioButton2->Checked()) {
    ShowMessage(kNoChoice);
    return;
  }
  if (RadioButton1->Checked()) ApplyHibernation(false);
  if (RadioButton2->Checked()) ApplyHibernation(true);
}

void TForm1::ApplyHibernation(bool on) {
  sys::CommandResult result;
  {
    // The window goes on painting while the command runs, but takes no click until it answered.
    InputBlock block(*this);
    result = SwitchHibernation(on, forms::TApplication::WaitPumping);
  }
  ShowMessage(HibernationReport(result, sys::IsProcessElevated()));
}

void TForm1::Button1Click(forms::TObject*) {
  ShowMessage(std::wstring(kVendorName) + L" 值得关注 " + kVendorHost);
  OpenVendorPage();
}

void TForm1::Label1Click(forms::TObject*) {
  OpenVendorPage();
}

void TForm1::OpenVendorPage() {
  // The default browser opens it; the tool neither waits for it nor reports on it.
  const std::wstring address = std::wstring(L"http://") + kVendorHost + L"/?qq=vandrel";
  ShellExecuteW(Handle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

#include "Unit1.h"

TForm1::TForm1(forms::TApplication& application) : TForm(application, "TForm1") {}

void TForm1::Bind(forms::Binder& binder) {
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

void TForm1::Button3Click(forms::TObject*) {}

void TForm1::Button1Click(forms::TObject*) {}

void TForm1::Label1Click(forms::TObject*) {}

// Unit1: TForm1, the tool's main window. Its layout and texts live in Unit1.dfm.
#pragma once

#include "forms/application.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "skin/skin.h"

class TForm1 : public forms::TForm {
 public:
  explicit TForm1(forms::TApplication& application);

  skin::TSkinData* SkinData1 = nullptr;
  forms::TGroupBox* GroupBox1 = nullptr;
  forms::TButton* Button1 = nullptr;
  forms::TButton* Button2 = nullptr;
  forms::TRadioButton* RadioButton1 = nullptr;
  forms::TRadioButton* RadioButton2 = nullptr;
  forms::TMemo* Memo1 = nullptr;
  forms::TButton* Button3 = nullptr;
  forms::TLabel* Label1 = nullptr;

  void Button2Click(forms::TObject* Sender);
  void Button3Click(forms::TObject* Sender);
  void Button1Click(forms::TObject* Sender);
  void Label1Click(forms::TObject* Sender);

 protected:
  void Bind(forms::Binder& binder) override;

 private:
  void ApplyHibernation(bool on);
  void OpenVendorPage();
};

// TSkinData: the skin component. Placed on the main form through its description; while Active it
// draws the caption, frame and controls of every form of the application (sfMainform), the
// information messages included, in the look its stored skin describes.
#pragma once

#include <windows.h>

#include <string_view>

#include "forms/form.h"
#include "forms/painter.h"
#include "skin/skin_data.h"

namespace skin {

class TSkinData : public forms::TComponent, public forms::Painter {
 public:
  static constexpr std::string_view kClassName = "TSkinData";

  TSkinData(forms::TForm& form, const description::Component& stored);
  ~TSkinData() override;
  TSkinData(const TSkinData&) = delete;
  TSkinData& operator=(const TSkinData&) = delete;

  const Settings& GetSettings() const { return settings_; }

  bool FormMessage(forms::TForm& form, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT& result) override;
  bool ControlMessage(forms::TControl& control, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result) override;

 private:
  forms::TApplication& application_;
  Settings settings_;
};

}  // namespace skin

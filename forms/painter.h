// The hook through which a skin draws the application's windows. The form layer hands each message
// of its forms and controls to the application's painter first; what the painter does not handle
// takes the usual road. Only the painting changes: classes, styles and messages stay as they are.
#pragma once

#include <windows.h>

namespace forms {

class TForm;
class TControl;

// What a painter keeps per window (hover and pressed parts, say); owned by the form or control.
struct PaintState {
  virtual ~PaintState() = default;
};

class Painter {
 public:
  virtual ~Painter() = default;
  virtual bool FormMessage(TForm& form, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& result) = 0;
  virtual bool ControlMessage(TControl& control, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) = 0;
};

}  // namespace forms

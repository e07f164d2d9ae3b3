// A form's stored description, checked against the classes the form layer knows and turned into
// plain structs. Everything is checked before a single window exists, so a bad description never
// leaves a half-built window behind.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "description.h"

namespace description {

enum class ControlClass { GroupBox, Memo, RadioButton, Button, Label };

// A system colour (index as GetSysColor takes it) or an RGB value laid out as 0x00BBGGRR.
struct Color {
  bool system = false;
  std::uint32_t value = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

struct Font {
  std::string name;
  int height = 0;  // negative: character height in pixels at the design DPI
  Color color;
  int charset = 0;
  bool bold = false, italic = false, underline = false, strikeOut = false;
};

struct Bounds {
  int left = 0, top = 0, width = 0, height = 0;
};

enum class Align { None, Top, Bottom, Left, Right, Client };
enum class ScrollBars { None, Horizontal, Vertical, Both };
enum class Cursor { Default, HandPoint };
enum class BorderStyle { None, Single, Sizeable, Dialog };
enum class Position { Designed, ScreenCenter, DesktopCenter };

struct Control {
  std::string name;
  ControlClass cls = ControlClass::Button;
  int parent = -1;  // index into Form::controls, -1 for the form itself
  Bounds bounds;
  std::string caption;
  int tabOrder = -1;  // -1: not in the tab order (a label)
  int tag = 0;
  Align align = Align::None;
  ScrollBars scrollBars = ScrollBars::None;
  bool readOnly = false;
  bool wordWrap = true;
  bool checked = false;
  bool isDefault = false;  // answers Enter wherever the focus is
  bool isCancel = false;   // answers Esc
  bool transparent = false;
  bool autoSize = false;
  std::optional<Font> font;  // set when the control has its own font (ParentFont = False)
  Cursor cursor = Cursor::Default;
  std::string onClick;  // handler name, empty for none
  std::vector<std::string> lines;
  SourcePos pos;
};

// A non-visual component (the skin); its properties are checked here and read by its owner.
struct Component {
  std::string name;
  std::string className;
  Object object;
};

struct Form {
  std::string name;
  std::string className;
  std::string caption;
  int left = 0, top = 0;
  int clientWidth = 0, clientHeight = 0;
  BorderStyle borderStyle = BorderStyle::Sizeable;
  bool systemMenu = true, minimize = true, maximize = true, help = false;
  Position position = Position::Designed;
  Color color;
  Font font;
  int pixelsPerInch = 96;
  int textHeight = 12;
  std::vector<Control> controls;  // in stored creation order; parents come before children
  std::vector<Component> components;
};

// Parses and checks a description; throws description::Error naming the line and column.
Form ReadForm(std::string_view text);

}  // namespace description

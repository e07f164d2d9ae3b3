// The description reader: what it accepts, what it makes of the tool's own description, and that a
// malformed one fails with the line, the column and what was expected there.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "description/form_model.h"

namespace description {
namespace {

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Parse, ReadsEveryKindOfValue) {
  const Object root = Parse(
      "object A: TB\n"
      "  Int = -12\n"
      "  Hex = $FF\n"
      "  Text = 'it''s 中文'\n"
      "  Flag = True // comment\n"
      "  Members = [x, y]\n"
      "  Empty = []\n"
      "  Lines.Strings = ('a' '' 'b')\n"
      "  Data = {0aFF 10}\n"
      "  object C: TD\n"
      "  end\n"
      "end\n");
  EXPECT_EQ(root.name, "A");
  EXPECT_EQ(root.className, "TB");
  EXPECT_EQ(root.Find("Int")->value.integer, -12);
  EXPECT_EQ(root.Find("Hex")->value.integer, 255);
  EXPECT_EQ(root.Find("Text")->value.text, "it's 中文");
  EXPECT_EQ(root.Find("Flag")->value.text, "True");
  EXPECT_EQ(root.Find("Members")->value.items, (std::vector<std::string>{"x", "y"}));
  EXPECT_TRUE(root.Find("Empty")->value.items.empty());
  EXPECT_EQ(root.Find("Lines.Strings")->value.items, (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(root.Find("Data")->value.bytes, (std::vector<std::uint8_t>{0x0a, 0xff, 0x10}));
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].name, "C");
  EXPECT_EQ(root.Find("Missing"), nullptr);
}

struct BadText {
  const char* what;
  std::string text;
  int line;
  int column;
  const char* message;  // a part of the message
};

void PrintTo(const BadText& bad, std::ostream* out) {
  *out << bad.what;
}

class Malformed : public ::testing::TestWithParam<BadText> {};

TEST_P(Malformed, FailsWithLineColumnAndWhatWasExpected) {
  const BadText& bad = GetParam();
  try {
    ReadForm(bad.text);
    FAIL() << "accepted: " << bad.what;
  } catch (const Error& error) {
    EXPECT_EQ(error.pos().line, bad.line) << error.what();
    EXPECT_EQ(error.pos().column, bad.column) << error.what();
    EXPECT_NE(error.message().find(bad.message), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("line " + std::to_string(bad.line)),
              std::string::npos);
  }
}

// A form whose own three lines are valid, around `body` (which starts on line 4).
std::string InForm(const std::string& body) {
  return "object F: TF\n  ClientWidth = 10\n  ClientHeight = 10\n" + body + "end\n";
}

const BadText kBadTexts[] = {
    {"empty text", "", 1, 1, "expected 'object'"},
    {"no class", "object F\nend\n", 2, 1, "expected ':'"},
    {"unclosed object", "object F: TF\n  Caption = 'x'\n", 3, 1, "expected 'end'"},
    {"text after the end", InForm("") + "x", 5, 1, "expected the end of the description"},
    {"missing equals", InForm("  Caption 'x'\n"), 4, 11, "expected '='"},
    {"unterminated string", InForm("  Caption = 'abc\n"), 4, 13, "closing quote"},
    {"bad value", InForm("  Caption = ?\n"), 4, 13, "expected a value"},
    {"unclosed set", InForm("  BorderIcons = [biMinimize biHelp]\n"), 4, 29, "',' or ']'"},
    {"odd hex digits", InForm("  X = {ABC}\n"), 4, 11, "second hex digit"},
    {"number too large", InForm("  Left = 99999999999\n"), 4, 10, "32 bits"},
    {"number glued to a name", InForm("  Left = 12px\n"), 4, 12, "followed by"},
    {"column counts characters", InForm("  Caption = '中文' ?\n"), 4, 18,
     "expected a property name"},
    {"malformed UTF-8", InForm("  Caption = '\xC3('\n"), 4, 14, "UTF-8"},
    {"unknown form property", InForm("  Colour = clRed\n"), 4, 3, "unknown 'Colour'"},
    {"wrong type", InForm("  Caption = 12\n"), 4, 13, "expected a string for 'Caption'"},
    {"repeated property", InForm("  Caption = 'a'\n  Caption = 'b'\n"), 5, 3,
     "found 'Caption' again"},
    {"unknown enum value", InForm("  BorderStyle = bsThin\n"), 4, 17, "one of bsNone"},
    {"unknown set member", InForm("  BorderIcons = [biClose]\n"), 4, 17, "found 'biClose'"},
    {"unknown colour", InForm("  Color = clPink\n"), 4, 11, "a colour name"},
    {"negative size", "object F: TF\n  ClientWidth = -1\n  ClientHeight = 1\nend\n", 2, 17,
     "a size of 0 or more"},
    {"missing client size", "object F: TF\n  ClientWidth = 1\nend\n", 1, 1,
     "expected property 'ClientHeight'"},
    {"unknown class", InForm("  object B: TTrackBar\n  end\n"), 4, 3, "found unknown 'TTrackBar'"},
    {"unknown control property",
     InForm("  object B: TButton\n    Width = 1\n    Height = 1\n    Checked = True\n  end\n"), 7,
     5, "unknown 'Checked'"},
    {"missing width", InForm("  object B: TButton\n    Height = 1\n  end\n"), 4, 3,
     "expected property 'Width'"},
    {"duplicate name",
     InForm("  object B: TButton\n    Width = 1\n    Height = 1\n  end\n"
            "  object B: TButton\n    Width = 1\n    Height = 1\n  end\n"),
     8, 3, "found 'B' again"},
    {"tab order taken twice",
     InForm("  object A: TButton\n    Width = 1\n    Height = 1\n    TabOrder = 0\n  end\n"
            "  object B: TButton\n    Width = 1\n    Height = 1\n    TabOrder = 0\n  end\n"),
     12, 16, "tab order not yet taken"},
    {"a button holding a control",
     InForm("  object A: TButton\n    Width = 1\n    Height = 1\n"
            "    object B: TButton\n      Width = 1\n      Height = 1\n    end\n  end\n"),
     7, 5, "cannot hold controls"},
    {"a component inside a control",
     InForm("  object G: TGroupBox\n    Width = 1\n    Height = 1\n"
            "    object S: TSkinData\n    end\n  end\n"),
     7, 5, "directly on the form"},
    {"own font without ParentFont = False",
     InForm("  object L: TLabel\n    Width = 1\n    Height = 1\n    Font.Color = clRed\n  end\n"),
     4, 3, "ParentFont = False"},
    {"tab order on a label",
     InForm("  object L: TLabel\n    Width = 1\n    Height = 1\n    TabOrder = 1\n  end\n"), 7, 5,
     "no TabOrder"},
};

INSTANTIATE_TEST_SUITE_P(Description, Malformed, ::testing::ValuesIn(kBadTexts),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.what; *c; ++c) {
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           }
                           return name;
                         });

// The tool's own description: the whole window as data.
TEST(ToolDescription, HoldsTheWindowTheControlsAndTheSkinComponent) {
  const Form form = ReadForm(ReadFile(FORM_DESCRIPTION));
  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(form.className, "TForm1");
  EXPECT_EQ(form.caption, "Vornasta");
  EXPECT_EQ(form.clientWidth, 347);
  EXPECT_EQ(form.clientHeight, 250);
  EXPECT_EQ(form.borderStyle, BorderStyle::Single);
  EXPECT_TRUE(form.systemMenu && form.minimize);
  EXPECT_FALSE(form.maximize || form.help);
  EXPECT_EQ(form.position, Position::DesktopCenter);
  EXPECT_EQ(form.color, (Color{true, 15}));
  EXPECT_EQ(form.font.name, "宋体");
  EXPECT_EQ(form.font.height, -12);
  EXPECT_EQ(form.font.charset, 0);

  std::vector<std::string> creationOrder;
  for (const Control& control : form.controls) creationOrder.push_back(control.name);
  EXPECT_EQ(creationOrder,
            (std::vector<std::string>{"Label1", "GroupBox1", "RadioButton1", "RadioButton2",
                                      "Memo1", "Button3", "Button1", "Button2"}));
  const Control& memo = form.controls[4];
  EXPECT_EQ(memo.parent, 1);
  ASSERT_EQ(memo.lines.size(), 13u);
  EXPECT_EQ(memo.lines[0], "提示:");
  EXPECT_TRUE(memo.lines[6].empty() && memo.lines[10].empty());
  EXPECT_EQ(memo.lines[11], "如果这个功能你不是经常使用，你将其关闭，以释放出硬盘");
  EXPECT_EQ(memo.lines[12], "空间，待到要需要使用时再打开即可。");
  const Control& label = form.controls[0];
  ASSERT_TRUE(label.font.has_value());
  EXPECT_EQ(label.font->color, (Color{false, 0x0000FF}));
  EXPECT_EQ(label.cursor, Cursor::HandPoint);
  EXPECT_TRUE(label.transparent && label.autoSize);

  ASSERT_EQ(form.components.size(), 1u);
  const Object& skin = form.components[0].object;
  EXPECT_EQ(form.components[0].className, "TSkinData");
  EXPECT_EQ(skin.Find("DisableTag")->value.integer, 99);
  EXPECT_EQ(skin.Find("SkinStore")->value.text, "(Good)");
  EXPECT_EQ(skin.Find("Skin3rd.Strings")->value.items.size(), 118u);
  EXPECT_EQ(skin.Find("SkinControls")->value.items.size(), 19u);
}

}  // namespace
}  // namespace description

// The skin reader: the tool's own skin, and each kind of malformed skin, named by its place in
// the description.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "description/form_model.h"
#include "skin/skin_data.h"

namespace skin {
namespace {

const description::Object& SkinObject(const description::Form& form) {
  return form.components.at(0).object;
}

description::Form ToolForm() {
  std::ifstream in(FORM_DESCRIPTION, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return description::ReadForm(text.str());
}

TEST(Skin, ToolSkinReadsWithItsSettings) {
  const description::Form form = ToolForm();
  const Settings settings = ReadSettings(SkinObject(form));
  EXPECT_TRUE(settings.active);
  EXPECT_EQ(settings.formType, FormType::MainForm);
  EXPECT_EQ(settings.store, "(Good)");
  EXPECT_EQ(settings.disableTag, 99);
  EXPECT_TRUE(settings.Draws("xcButton") && settings.Draws("xcRadioButton") &&
              settings.Draws("xcGroupBox") && settings.Draws("xcEdit") &&
              settings.Draws("xcScrollbar"));
  EXPECT_TRUE(settings.HasOption("xoCaptionButtonHint"));
  EXPECT_EQ(settings.thirdParty.size(), 118u);
  EXPECT_EQ(settings.version, "5.40.07.15");
  const Theme& theme = settings.theme;
  EXPECT_EQ(theme.Fill("caption.active").top, (Rgb{0x45, 0x73, 0xA6}));
  EXPECT_EQ(theme.Fill("caption.active").bottom, (Rgb{0x2C, 0x4A, 0x6E}));
  EXPECT_EQ(theme.Metric("button.radius"), 3);
  const Glyph& close = theme.GlyphOf("glyph.close");
  EXPECT_EQ(close.width, 10);
  EXPECT_EQ(close.height, 10);
  EXPECT_TRUE(close.At(0, 0) && !close.At(4, 0));
  EXPECT_EQ(theme.Text("hint.close"), "关闭");
}

// A skin made of the tool's own lines with one line replaced (or added), in a small description.
std::string WithLine(const std::string& key, const std::string& replacement) {
  const description::Form form = ToolForm();
  std::string stream;
  bool replaced = false;
  for (const std::string& line : SkinObject(form).Find("SkinStream")->value.items) {
    if (line.rfind(key + " ", 0) == 0) {
      if (!replacement.empty()) stream += "    '" + replacement + "'\n";
      replaced = true;
    } else {
      stream += "    '" + line + "'\n";
    }
  }
  if (!replaced) stream += "    '" + replacement + "'\n";
  return "object F: TF\n  ClientWidth = 1\n  ClientHeight = 1\n  object S: TSkinData\n"
         "    Active = True\n    SkinStream = (\n" +
         stream + "    )\n  end\nend\n";
}

struct BadSkin {
  const char* what;
  std::string key;
  std::string line;
  const char* message;
  int column;  // of the error within the description line
};

void PrintTo(const BadSkin& bad, std::ostream* out) {
  *out << bad.what;
}

class MalformedSkin : public ::testing::TestWithParam<BadSkin> {};

TEST_P(MalformedSkin, FailsWithLineColumnAndWhatWasExpected) {
  const BadSkin& bad = GetParam();
  const std::string text = WithLine(bad.key, bad.line);
  const description::Form form = description::ReadForm(text);
  try {
    ReadSettings(SkinObject(form));
    FAIL() << "accepted: " << bad.what;
  } catch (const description::Error& error) {
    EXPECT_NE(error.message().find(bad.message), std::string::npos) << error.what();
    if (bad.column > 0) {
      // The error stands on the description line that holds the offending skin line.
      std::istringstream lines(text);
      std::string line;
      for (int n = 1; n <= error.pos().line; ++n) std::getline(lines, line);
      EXPECT_NE(line.find(bad.line), std::string::npos) << error.what();
      EXPECT_EQ(error.pos().column, bad.column) << error.what();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Skin, MalformedSkin,
    ::testing::Values(
        BadSkin{"unknown key", "face", "fase = #FFFFFF", "found 'fase'", 6},
        BadSkin{"no equals", "face", "face #FFFFFF", "expected 'key = value'", 6},
        BadSkin{"bad colour", "face", "face = #FFFFFG", "hex digit", 19},
        BadSkin{"short colour", "face", "face = #FFF", "a colour #RRGGBB for 'face'", 13},
        BadSkin{"gradient for a plain colour", "face", "face = #FFFFFF #000000", "'face'", 13},
        BadSkin{"three gradient colours", "caption.active",
                "caption.active = #FFFFFF #000000 #111111", "one or two colours", 23},
        BadSkin{"metric not a number", "button.radius", "button.radius = three", "a whole number",
                22},
        BadSkin{"ragged glyph", "glyph.arrow.up", "glyph.arrow.up = ..x/.xxx", "to be 3 long", 31},
        BadSkin{"repeated key", "", "face = #000000", "found 'face' again", 6},
        BadSkin{"missing key", "hint.close", "", "expected the skin key 'hint.close'", 0}),
    [](const auto& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c) name += std::isalnum(*c) ? *c : '_';
      return name;
    });

TEST(Skin, ThirdPartyTableLinesNeedAClassAndAKind) {
  const std::string text =
      "object F: TF\n  ClientWidth = 1\n  ClientHeight = 1\n  object S: TSkinData\n"
      "    Skin3rd.Strings = (\n      'TFoo=button'\n      'TBar')\n  end\nend\n";
  const description::Form form = description::ReadForm(text);
  try {
    ReadSettings(SkinObject(form));
    FAIL() << "accepted a line without '='";
  } catch (const description::Error& error) {
    EXPECT_EQ(error.pos().line, 7);
    EXPECT_EQ(error.pos().column, 7);
    EXPECT_NE(error.message().find("'ClassName=kind'"), std::string::npos);
  }
}

}  // namespace
}  // namespace skin

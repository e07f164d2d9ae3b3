// The skin: colours, gradients, metrics, corner radii and glyphs, read from lines of text
//
//   caption.active = #2F5F94 #1F4470     // a gradient, top to bottom
//   button.radius = 3                    // pixels at 96 dpi
//   glyph.close = x...x/.x.x./..x../.x.x./x...x   // rows of a small bitmap, 'x' is ink
//
// and the skin component's own settings, read from its description. Portable: no Windows header.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "description/description.h"

namespace skin {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Gradient {
  Rgb top, bottom;
};

struct Glyph {
  int width = 0, height = 0;
  std::vector<bool> ink;  // row by row
  bool At(int x, int y) const { return ink[static_cast<size_t>(y * width + x)]; }
};

struct Theme {
  std::map<std::string, Gradient, std::less<>> gradients;  // a plain colour is a flat gradient
  std::map<std::string, int, std::less<>> metrics;
  std::map<std::string, Glyph, std::less<>> glyphs;
  std::map<std::string, std::string, std::less<>> texts;  // UTF-8

  Rgb Color(std::string_view key) const { return gradients.find(key)->second.top; }
  const Gradient& Fill(std::string_view key) const { return gradients.find(key)->second; }
  int Metric(std::string_view key) const { return metrics.find(key)->second; }
  const Glyph& GlyphOf(std::string_view key) const { return glyphs.find(key)->second; }
  const std::string& Text(std::string_view key) const { return texts.find(key)->second; }
};

// Reads a theme from its lines; `positions` says where each line stands in the description, so
// an error names the line and column there. Every key of the skin must be given exactly once.
Theme ReadTheme(const std::vector<std::string>& lines,
                const std::vector<description::SourcePos>& positions);

enum class FormType { MainForm, Dialog, OnlyThisForm };

struct Settings {
  bool active = false;
  FormType formType = FormType::MainForm;
  std::string store;
  std::vector<std::string> controls;  // the kinds of controls drawn by the skin (xcButton, ...)
  std::vector<std::string> options;
  int disableTag = 99;
  bool menuUpdate = true, menuMerge = false;
  std::map<std::string, std::string> thirdParty;  // class name -> kind of control
  std::string version;
  Theme theme;

  bool Draws(std::string_view controlKind) const;
  bool HasOption(std::string_view option) const;
};

// Reads a TSkinData object whose property types the form reader has already checked.
Settings ReadSettings(const description::Object& object);

}  // namespace skin

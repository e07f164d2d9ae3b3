#include "skin_data.h"

#include <algorithm>
#include <set>

namespace skin {
namespace {

using description::Error;
using description::SourcePos;

enum class Kind { Color, Gradient, Metric, Glyph, Text };

struct Key {
  std::string_view name;
  Kind kind;
};

constexpr Key kKeys[] = {
    {"face", Kind::Color},
    {"text", Kind::Color},
    {"focus", Kind::Color},
    {"frame.active", Kind::Color},
    {"frame.inactive", Kind::Color},
    {"caption.active", Kind::Gradient},
    {"caption.inactive", Kind::Gradient},
    {"caption.text.active", Kind::Color},
    {"caption.text.inactive", Kind::Color},
    {"caption.button.hot", Kind::Color},
    {"caption.button.pressed", Kind::Color},
    {"caption.button.close.hot", Kind::Color},
    {"caption.button.close.pressed", Kind::Color},
    {"caption.button.width", Kind::Metric},
    {"caption.button.gap", Kind::Metric},
    {"button.normal", Kind::Gradient},
    {"button.hot", Kind::Gradient},
    {"button.pressed", Kind::Gradient},
    {"button.disabled", Kind::Gradient},
    {"button.border", Kind::Color},
    {"button.border.hot", Kind::Color},
    {"button.border.focused", Kind::Color},
    {"button.text", Kind::Color},
    {"button.text.disabled", Kind::Color},
    {"button.radius", Kind::Metric},
    {"radio.ring", Kind::Color},
    {"radio.ring.hot", Kind::Color},
    {"radio.fill", Kind::Color},
    {"radio.dot", Kind::Color},
    {"radio.size", Kind::Metric},
    {"group.border", Kind::Color},
    {"group.text", Kind::Color},
    {"group.radius", Kind::Metric},
    {"edit.border", Kind::Color},
    {"edit.border.focused", Kind::Color},
    {"scroll.track", Kind::Color},
    {"scroll.thumb", Kind::Color},
    {"scroll.thumb.hot", Kind::Color},
    {"scroll.arrow", Kind::Color},
    {"scroll.arrow.back", Kind::Color},
    {"scroll.arrow.hot", Kind::Color},
    {"hint.back", Kind::Color},
    {"hint.border", Kind::Color},
    {"hint.text", Kind::Color},
    {"hint.minimize", Kind::Text},
    {"hint.close", Kind::Text},
    {"glyph.close", Kind::Glyph},
    {"glyph.minimize", Kind::Glyph},
    {"glyph.arrow.up", Kind::Glyph},
    {"glyph.arrow.down", Kind::Glyph},
};

std::string_view KindName(Kind kind) {
  switch (kind) {
    case Kind::Color:
      return "a colour #RRGGBB";
    case Kind::Gradient:
      return "one or two colours #RRGGBB (top, bottom)";
    case Kind::Metric:
      return "a whole number of pixels from 0 to 64";
    case Kind::Glyph:
      return "rows of '.' and 'x' separated by '/', all as long";
    case Kind::Text:
      return "a text";
  }
  return "a value";
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Characters (not bytes) before byte `offset` of `text`.
int Characters(std::string_view text, size_t offset) {
  int count = 0;
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++count;
  }
  return count;
}

class LineReader {
 public:
  LineReader(std::string_view line, SourcePos start) : line_(line), start_(start) {}

  [[noreturn]] void Fail(size_t offset, const std::string& message) const {
    // +1: the string's text starts after its opening quote.
    throw Error({start_.line, start_.column + 1 + Characters(line_, offset)}, message);
  }

  int HexByte(size_t at) const {
    int value = 0;
    for (size_t i = at; i < at + 2; ++i) {
      const char c = line_[i];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) Fail(i, "expected a hex digit in the colour");
      value = value * 16 + digit;
    }
    return value;
  }

  std::vector<Rgb> Colors(size_t from, size_t to, const std::string& key, Kind kind) const {
    std::vector<Rgb> colors;
    size_t at = from;
    while (at < to) {
      if (IsBlank(line_[at])) {
        ++at;
        continue;
      }
      if (line_[at] != '#' || at + 7 > to || (at + 7 < to && !IsBlank(line_[at + 7]))) {
        Fail(at, "expected " + std::string(KindName(kind)) + " for '" + key + "'");
      }
      colors.push_back({static_cast<std::uint8_t>(HexByte(at + 1)),
                        static_cast<std::uint8_t>(HexByte(at + 3)),
                        static_cast<std::uint8_t>(HexByte(at + 5))});
      at += 7;
    }
    const size_t most = kind == Kind::Gradient ? 2 : 1;
    if (colors.empty() || colors.size() > most) {
      Fail(from, "expected " + std::string(KindName(kind)) + " for '" + key + "'");
    }
    return colors;
  }

  void Read(Theme& theme, std::set<std::string, std::less<>>& seen) const {
    size_t first = 0;
    while (first < line_.size() && IsBlank(line_[first])) ++first;
    if (first == line_.size() || line_.substr(first, 2) == "//") return;
    const size_t equals = line_.find('=');
    if (equals == std::string_view::npos) Fail(first, "expected 'key = value'");
    size_t keyEnd = equals;
    while (keyEnd > first && IsBlank(line_[keyEnd - 1])) --keyEnd;
    const std::string key(line_.substr(first, keyEnd - first));
    const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [&](const Key& k) { return k.name == key; });
    if (found == std::end(kKeys)) Fail(first, "expected a key of the skin, found '" + key + "'");
    if (!seen.insert(key).second) Fail(first, "expected each key once, found '" + key + "' again");
    size_t from = equals + 1;
    while (from < line_.size() && IsBlank(line_[from])) ++from;
    size_t to = line_.size();
    while (to > from && IsBlank(line_[to - 1])) --to;
    if (from == to)
      Fail(from, "expected " + std::string(KindName(found->kind)) + " for '" + key + "'");

    switch (found->kind) {
      case Kind::Color:
      case Kind::Gradient: {
        const std::vector<Rgb> colors = Colors(from, to, key, found->kind);
        theme.gradients[key] = {colors.front(), colors.back()};
        break;
      }
      case Kind::Metric: {
        int value = 0;
        for (size_t i = from; i < to; ++i) {
          if (line_[i] < '0' || line_[i] > '9' || value > 64) {
            Fail(i, "expected " + std::string(KindName(found->kind)) + " for '" + key + "'");
          }
          value = value * 10 + (line_[i] - '0');
        }
        if (value > 64) Fail(from, "expected " + std::string(KindName(found->kind)));
        theme.metrics[key] = value;
        break;
      }
      case Kind::Glyph:
        theme.glyphs[key] = ReadGlyph(from, to, key);
        break;
      case Kind::Text:
        theme.texts[key] = std::string(line_.substr(from, to - from));
        break;
    }
  }

  Glyph ReadGlyph(size_t from, size_t to, const std::string& key) const {
    Glyph glyph;
    int column = 0;
    for (size_t i = from; i <= to; ++i) {
      if (i == to || line_[i] == '/') {
        if (glyph.height == 0) glyph.width = column;
        if (column != glyph.width || column == 0) {
          Fail(i, "expected every row of '" + key + "' to be " + std::to_string(glyph.width) +
                      " long");
        }
        ++glyph.height;
        column = 0;
      } else if (line_[i] == 'x' || line_[i] == '.') {
        glyph.ink.push_back(line_[i] == 'x');
        ++column;
      } else {
        Fail(i, "expected " + std::string(KindName(Kind::Glyph)) + " for '" + key + "'");
      }
    }
    return glyph;
  }

 private:
  std::string_view line_;
  SourcePos start_;
};

}  // namespace

Theme ReadTheme(const std::vector<std::string>& lines,
                const std::vector<description::SourcePos>& positions) {
  Theme theme;
  std::set<std::string, std::less<>> seen;
  for (size_t i = 0; i < lines.size(); ++i) {
    const SourcePos pos = i < positions.size() ? positions[i] : SourcePos{};
    LineReader(lines[i], pos).Read(theme, seen);
  }
  for (const Key& key : kKeys) {
    if (!seen.count(key.name)) {
      throw Error(positions.empty() ? SourcePos{} : positions.back(),
                  "expected the skin key '" + std::string(key.name) + "'");
    }
  }
  return theme;
}

bool Settings::Draws(std::string_view controlKind) const {
  return std::find(controls.begin(), controls.end(), controlKind) != controls.end();
}

bool Settings::HasOption(std::string_view option) const {
  return std::find(options.begin(), options.end(), option) != options.end();
}

Settings ReadSettings(const description::Object& object) {
  Settings settings;
  const auto text = [&](std::string_view name) {
    const description::Property* p = object.Find(name);
    return p ? p->value.text : std::string();
  };
  const auto items = [&](std::string_view name) {
    const description::Property* p = object.Find(name);
    return p ? p->value.items : std::vector<std::string>();
  };
  settings.active = text("Active") == "True";
  const std::string formType = text("SkinFormtype");
  settings.formType = formType == "sfDialog"         ? FormType::Dialog
                      : formType == "sfOnlyThisForm" ? FormType::OnlyThisForm
                                                     : FormType::MainForm;
  settings.store = text("SkinStore");
  settings.controls = items("SkinControls");
  settings.options = items("Options");
  if (const description::Property* p = object.Find("DisableTag")) {
    settings.disableTag = static_cast<int>(p->value.integer);
  }
  settings.menuUpdate = text("MenuUpdate") != "False";
  settings.menuMerge = text("MenuMerge") == "True";
  settings.version = text("Version");
  if (const description::Property* p = object.Find("Skin3rd.Strings")) {
    for (size_t i = 0; i < p->value.items.size(); ++i) {
      const std::string& line = p->value.items[i];
      const size_t equals = line.find('=');
      if (equals == std::string::npos || equals == 0 || equals + 1 == line.size()) {
        const SourcePos at = i < p->value.itemPos.size() ? p->value.itemPos[i] : p->value.pos;
        throw Error(at, "expected 'ClassName=kind' in Skin3rd, found '" + line + "'");
      }
      settings.thirdParty[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  if (const description::Property* p = object.Find("SkinStream")) {
    settings.theme = ReadTheme(p->value.items, p->value.itemPos);
  } else if (settings.active) {
    throw Error(object.pos, "expected a SkinStream for an active skin");
  }
  return settings;
}

}  // namespace skin

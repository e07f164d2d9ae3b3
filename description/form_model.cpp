#include "form_model.h"

#include <algorithm>
#include <array>
#include <map>
#include <span>

namespace description {
namespace {

enum class Type { Integer, String, Bool, Enum, Set, List, Color, Handler };

struct Rule {
  std::string_view name;
  Type type;
  std::span<const std::string_view> allowed = {};  // for Enum and Set
};

constexpr std::string_view kCharsets[] = {"ANSI_CHARSET", "DEFAULT_CHARSET", "GB2312_CHARSET"};
constexpr std::string_view kFontStyles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr std::string_view kAligns[] = {"alNone", "alTop",   "alBottom",
                                        "alLeft", "alRight", "alClient"};
constexpr std::string_view kCursors[] = {"crDefault", "crHandPoint"};
constexpr std::string_view kScrollBars[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
constexpr std::string_view kBorderStyles[] = {"bsNone", "bsSingle", "bsSizeable", "bsDialog"};
constexpr std::string_view kBorderIcons[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
constexpr std::string_view kPositions[] = {"poDesigned", "poScreenCenter", "poDesktopCenter"};
constexpr std::string_view kSkinFormTypes[] = {"sfMainform", "sfDialog", "sfOnlyThisForm"};
constexpr std::string_view kSkinControls[] = {
    "xcMainMenu", "xcPopupMenu",   "xcToolbar",     "xcControlbar", "xcCombo",
    "xcCheckBox", "xcRadioButton", "xcProgress",    "xcScrollbar",  "xcEdit",
    "xcButton",   "xcBitBtn",      "xcSpeedButton", "xcSpin",       "xcPanel",
    "xcGroupBox", "xcStatusBar",   "xcTab",         "xcTrackBar"};
constexpr std::string_view kSkinOptions[] = {"xoPreview", "xoToolbarBK", "xoCaptionButtonHint",
                                             "xoMDIChildBorder", "xoNoBorder"};

struct NamedColor {
  std::string_view name;
  Color color;
};
constexpr NamedColor kColors[] = {
    {"clBtnFace", {true, 15}},      {"clWindowText", {true, 8}},   {"clWindow", {true, 5}},
    {"clBtnText", {true, 18}},      {"clHighlight", {true, 13}},   {"clBlack", {false, 0x000000}},
    {"clWhite", {false, 0xFFFFFF}}, {"clRed", {false, 0x0000FF}},  {"clGreen", {false, 0x008000}},
    {"clBlue", {false, 0xFF0000}},  {"clNavy", {false, 0x800000}}, {"clGray", {false, 0x808080}},
};

constexpr Rule kFontRules[] = {
    {"Font.Charset", Type::Enum, kCharsets}, {"Font.Color", Type::Color},
    {"Font.Height", Type::Integer},          {"Font.Name", Type::String},
    {"Font.Style", Type::Set, kFontStyles},
};
constexpr Rule kFormRules[] = {
    {"Left", Type::Integer},
    {"Top", Type::Integer},
    {"Caption", Type::String},
    {"ClientWidth", Type::Integer},
    {"ClientHeight", Type::Integer},
    {"BorderStyle", Type::Enum, kBorderStyles},
    {"BorderIcons", Type::Set, kBorderIcons},
    {"Color", Type::Color},
    {"Position", Type::Enum, kPositions},
    {"PixelsPerInch", Type::Integer},
    {"TextHeight", Type::Integer},
};
constexpr Rule kControlRules[] = {
    {"Left", Type::Integer},    {"Top", Type::Integer},         {"Width", Type::Integer},
    {"Height", Type::Integer},  {"Caption", Type::String},      {"TabOrder", Type::Integer},
    {"Tag", Type::Integer},     {"Align", Type::Enum, kAligns}, {"Cursor", Type::Enum, kCursors},
    {"ParentFont", Type::Bool}, {"OnClick", Type::Handler},
};
constexpr Rule kMemoRules[] = {
    {"Lines.Strings", Type::List},
    {"ScrollBars", Type::Enum, kScrollBars},
    {"ReadOnly", Type::Bool},
    {"WordWrap", Type::Bool},
};
constexpr Rule kRadioRules[] = {{"Checked", Type::Bool}};
constexpr Rule kButtonRules[] = {{"Default", Type::Bool}, {"Cancel", Type::Bool}};
constexpr Rule kLabelRules[] = {{"Transparent", Type::Bool}, {"AutoSize", Type::Bool}};
constexpr Rule kSkinDataRules[] = {
    {"Active", Type::Bool},
    {"SkinFormtype", Type::Enum, kSkinFormTypes},
    {"SkinStore", Type::String},
    {"SkinStream", Type::List},
    {"SkinControls", Type::Set, kSkinControls},
    {"Options", Type::Set, kSkinOptions},
    {"DisableTag", Type::Integer},
    {"MenuUpdate", Type::Bool},
    {"MenuMerge", Type::Bool},
    {"Skin3rd.Strings", Type::List},
    {"Version", Type::String},
};

struct ClassInfo {
  std::string_view name;
  std::optional<ControlClass> control;  // empty for a non-visual component
  bool holdsControls;
  std::array<std::span<const Rule>, 3> rules;
};

const ClassInfo kClasses[] = {
    {"TGroupBox", ControlClass::GroupBox, true, {kControlRules, kFontRules}},
    {"TMemo", ControlClass::Memo, false, {kControlRules, kFontRules, kMemoRules}},
    {"TRadioButton", ControlClass::RadioButton, false, {kControlRules, kFontRules, kRadioRules}},
    {"TButton", ControlClass::Button, false, {kControlRules, kFontRules, kButtonRules}},
    {"TLabel", ControlClass::Label, false, {kControlRules, kFontRules, kLabelRules}},
    {"TSkinData", std::nullopt, false, {kSkinDataRules}},
};

std::string OneOf(std::span<const std::string_view> allowed) {
  std::string list;
  for (std::string_view name : allowed) {
    if (!list.empty()) list += ", ";
    list += name;
  }
  return list;
}

const Rule* FindRule(std::span<const std::span<const Rule>> rules, std::string_view name) {
  for (std::span<const Rule> group : rules) {
    for (const Rule& rule : group) {
      if (rule.name == name) return &rule;
    }
  }
  return nullptr;
}

bool Allowed(const Rule& rule, std::string_view name) {
  return std::find(rule.allowed.begin(), rule.allowed.end(), name) != rule.allowed.end();
}

[[noreturn]] void Expected(const Property& p, std::string_view what) {
  throw Error(p.value.pos,
              "expected " + std::string(what) + " for '" + p.name + "', found " +
                  (p.value.kind == Value::Kind::Identifier || p.value.kind == Value::Kind::String
                       ? "'" + p.value.text + "'"
                       : std::string(KindName(p.value.kind))));
}

void CheckType(const Rule& rule, const Property& p) {
  const Value& v = p.value;
  switch (rule.type) {
    case Type::Integer:
      if (v.kind != Value::Kind::Integer) Expected(p, "an integer");
      break;
    case Type::String:
      if (v.kind != Value::Kind::String) Expected(p, "a string");
      break;
    case Type::List:
      if (v.kind != Value::Kind::List) Expected(p, "a list of strings (...)");
      break;
    case Type::Handler:
      if (v.kind != Value::Kind::Identifier) Expected(p, "a handler name");
      break;
    case Type::Bool:
      if (v.kind != Value::Kind::Identifier || (v.text != "True" && v.text != "False")) {
        Expected(p, "True or False");
      }
      break;
    case Type::Enum:
      if (v.kind != Value::Kind::Identifier || !Allowed(rule, v.text)) {
        Expected(p, "one of " + OneOf(rule.allowed));
      }
      break;
    case Type::Set:
      if (v.kind != Value::Kind::Set) Expected(p, "a set [...] of " + OneOf(rule.allowed));
      for (const std::string& member : v.items) {
        if (!Allowed(rule, member)) {
          throw Error(v.pos, "expected members of " + OneOf(rule.allowed) + " in '" + p.name +
                                 "', found '" + member + "'");
        }
      }
      break;
    case Type::Color:
      if (v.kind == Value::Kind::Integer) {
        if (v.integer < 0 || v.integer > 0xFFFFFF) Expected(p, "a colour $00BBGGRR");
      } else if (v.kind != Value::Kind::Identifier ||
                 std::none_of(std::begin(kColors), std::end(kColors),
                              [&](const NamedColor& c) { return c.name == v.text; })) {
        Expected(p, "a colour name (clBtnFace, clRed, ...) or $00BBGGRR");
      }
      break;
  }
}

void CheckProperties(const Object& object, std::span<const std::span<const Rule>> rules,
                     std::string_view className) {
  for (size_t i = 0; i < object.properties.size(); ++i) {
    const Property& p = object.properties[i];
    const Rule* rule = FindRule(rules, p.name);
    if (!rule) {
      throw Error(p.pos, "expected a property of " + std::string(className) + ", found unknown '" +
                             p.name + "'");
    }
    for (size_t k = 0; k < i; ++k) {
      if (object.properties[k].name == p.name) {
        throw Error(p.pos, "expected each property once, found '" + p.name + "' again");
      }
    }
    CheckType(*rule, p);
  }
}

// Typed reads of properties that CheckProperties has already vetted.
class Reader {
 public:
  explicit Reader(const Object& object) : object_(object) {}

  int Integer(std::string_view name, int fallback) const {
    const Property* p = object_.Find(name);
    return p ? static_cast<int>(p->value.integer) : fallback;
  }
  int RequiredSize(std::string_view name) const {
    const Property* p = object_.Find(name);
    if (!p) {
      throw Error(object_.pos,
                  "expected property '" + std::string(name) + "' in object '" + object_.name + "'");
    }
    if (p->value.integer < 0) Expected(*p, "a size of 0 or more");
    return static_cast<int>(p->value.integer);
  }
  std::string String(std::string_view name) const {
    const Property* p = object_.Find(name);
    return p ? p->value.text : std::string();
  }
  bool Bool(std::string_view name, bool fallback) const {
    const Property* p = object_.Find(name);
    return p ? p->value.text == "True" : fallback;
  }
  // Index of an enumeration value in its rule's list.
  template <typename E>
  E Enum(std::string_view name, std::span<const std::string_view> allowed, E fallback) const {
    const Property* p = object_.Find(name);
    if (!p) return fallback;
    return static_cast<E>(std::find(allowed.begin(), allowed.end(), p->value.text) -
                          allowed.begin());
  }
  bool Has(std::string_view property, std::string_view member) const {
    const Property* p = object_.Find(property);
    return p &&
           std::find(p->value.items.begin(), p->value.items.end(), member) != p->value.items.end();
  }
  std::optional<Color> ColorValue(std::string_view name) const {
    const Property* p = object_.Find(name);
    if (!p) return std::nullopt;
    if (p->value.kind == Value::Kind::Integer) {
      return Color{false, static_cast<std::uint32_t>(p->value.integer)};
    }
    for (const NamedColor& c : kColors) {
      if (c.name == p->value.text) return c.color;
    }
    return std::nullopt;
  }
  Font FontValue(const Font& inherited) const {
    Font font = inherited;
    if (object_.Find("Font.Name")) font.name = String("Font.Name");
    font.height = Integer("Font.Height", font.height);
    font.color = ColorValue("Font.Color").value_or(font.color);
    if (object_.Find("Font.Charset")) {
      constexpr int kCharsetValues[] = {0, 1, 134};
      font.charset = kCharsetValues[Enum("Font.Charset", kCharsets, 0)];
    }
    if (object_.Find("Font.Style")) {
      font.bold = Has("Font.Style", "fsBold");
      font.italic = Has("Font.Style", "fsItalic");
      font.underline = Has("Font.Style", "fsUnderline");
      font.strikeOut = Has("Font.Style", "fsStrikeOut");
    }
    return font;
  }

 private:
  const Object& object_;
};

class FormBuilder {
 public:
  Form Build(const Object& root) {
    const std::span<const Rule> formRules[] = {kFormRules, kFontRules};
    CheckProperties(root, formRules, root.className);
    const Reader r(root);
    form_.name = root.name;
    form_.className = root.className;
    form_.caption = r.String("Caption");
    form_.left = r.Integer("Left", 0);
    form_.top = r.Integer("Top", 0);
    form_.clientWidth = r.RequiredSize("ClientWidth");
    form_.clientHeight = r.RequiredSize("ClientHeight");
    form_.borderStyle = r.Enum("BorderStyle", kBorderStyles, BorderStyle::Sizeable);
    if (root.Find("BorderIcons")) {
      form_.systemMenu = r.Has("BorderIcons", "biSystemMenu");
      form_.minimize = r.Has("BorderIcons", "biMinimize");
      form_.maximize = r.Has("BorderIcons", "biMaximize");
      form_.help = r.Has("BorderIcons", "biHelp");
    }
    form_.position = r.Enum("Position", kPositions, Position::Designed);
    form_.color = r.ColorValue("Color").value_or(Color{true, 15});
    form_.font = r.FontValue(Font{"", -12, Color{true, 8}, 1});
    form_.pixelsPerInch = r.Integer("PixelsPerInch", 96);
    form_.textHeight = r.Integer("TextHeight", 12);
    if (form_.pixelsPerInch <= 0) throw Error(root.pos, "expected PixelsPerInch above 0");
    names_[root.name] = root.pos;
    AddChildren(root, -1);
    return std::move(form_);
  }

 private:
  void AddChildren(const Object& parent, int parentIndex) {
    std::map<int, std::string> tabOrders;
    for (const Object& child : parent.children) {
      const ClassInfo* info = nullptr;
      for (const ClassInfo& c : kClasses) {
        if (c.name == child.className) info = &c;
      }
      if (!info) {
        std::string known;
        for (const ClassInfo& c : kClasses)
          known += (known.empty() ? "" : ", ") + std::string(c.name);
        throw Error(child.pos,
                    "expected a class of " + known + ", found unknown '" + child.className + "'");
      }
      if (!names_.emplace(child.name, child.pos).second) {
        throw Error(child.pos, "expected a unique name, found '" + child.name + "' again");
      }
      CheckProperties(child, info->rules, info->name);
      if (!info->control) {
        if (parentIndex != -1 || !child.children.empty()) {
          throw Error(child.pos, "expected the component '" + child.name +
                                     "' directly on the form, with nothing inside it");
        }
        form_.components.push_back({child.name, child.className, child});
        continue;
      }
      Control control = ReadControl(child, *info->control, parentIndex);
      if (control.tabOrder >= 0) {
        auto [it, added] = tabOrders.emplace(control.tabOrder, control.name);
        if (!added) {
          throw Error(child.Find("TabOrder")->value.pos,
                      "expected a tab order not yet taken, found " +
                          std::to_string(control.tabOrder) + " of '" + it->second + "' again");
        }
      }
      form_.controls.push_back(std::move(control));
      const int index = static_cast<int>(form_.controls.size()) - 1;
      if (!child.children.empty() && !info->holdsControls) {
        throw Error(child.children.front().pos,
                    "expected 'end', as a " + child.className + " cannot hold controls");
      }
      AddChildren(child, index);
    }
  }

  Control ReadControl(const Object& object, ControlClass cls, int parentIndex) {
    const Reader r(object);
    Control c;
    c.name = object.name;
    c.cls = cls;
    c.parent = parentIndex;
    c.pos = object.pos;
    c.bounds = {r.Integer("Left", 0), r.Integer("Top", 0), r.RequiredSize("Width"),
                r.RequiredSize("Height")};
    c.caption = r.String("Caption");
    c.tabOrder = cls == ControlClass::Label ? -1 : r.Integer("TabOrder", -1);
    if (cls == ControlClass::Label && object.Find("TabOrder")) {
      throw Error(object.Find("TabOrder")->pos, "expected no TabOrder on a TLabel");
    }
    c.tag = r.Integer("Tag", 0);
    c.align = r.Enum("Align", kAligns, Align::None);
    c.scrollBars = r.Enum("ScrollBars", kScrollBars, ScrollBars::None);
    c.readOnly = r.Bool("ReadOnly", false);
    c.wordWrap = r.Bool("WordWrap", true);
    c.checked = r.Bool("Checked", false);
    c.isDefault = r.Bool("Default", false);
    c.isCancel = r.Bool("Cancel", false);
    c.transparent = r.Bool("Transparent", false);
    c.autoSize = r.Bool("AutoSize", false);
    c.cursor = r.Enum("Cursor", kCursors, Cursor::Default);
    if (!r.Bool("ParentFont", true)) {
      const Font& inherited = parentIndex < 0 ? form_.font : ParentFont(parentIndex);
      c.font = r.FontValue(inherited);
    } else if (object.Find("Font.Name") || object.Find("Font.Height") ||
               object.Find("Font.Color") || object.Find("Font.Style") ||
               object.Find("Font.Charset")) {
      throw Error(object.pos, "expected ParentFont = False on '" + object.name +
                                  "', which sets a font of its own");
    }
    if (const Property* p = object.Find("OnClick")) c.onClick = p->value.text;
    if (const Property* p = object.Find("Lines.Strings")) c.lines = p->value.items;
    return c;
  }

  const Font& ParentFont(int index) const {
    const Control& parent = form_.controls[static_cast<size_t>(index)];
    if (parent.font) return *parent.font;
    return parent.parent < 0 ? form_.font : ParentFont(parent.parent);
  }

  Form form_;
  std::map<std::string, SourcePos> names_;
};

}  // namespace

Form ReadForm(std::string_view text) {
  return FormBuilder().Build(Parse(text));
}

}  // namespace description

#include "description.h"

#include <charconv>

namespace description {

Error::Error(SourcePos pos, const std::string& message)
    : std::runtime_error("line " + std::to_string(pos.line) + ", column " +
                         std::to_string(pos.column) + ": " + message),
      pos_(pos),
      message_(message) {}

const Property* Object::Find(std::string_view property) const {
  for (const Property& p : properties) {
    if (p.name == property) return &p;
  }
  return nullptr;
}

std::string_view KindName(Value::Kind kind) {
  switch (kind) {
    case Value::Kind::Integer:
      return "an integer";
    case Value::Kind::String:
      return "a string";
    case Value::Kind::Identifier:
      return "an identifier";
    case Value::Kind::Set:
      return "a set [...]";
    case Value::Kind::List:
      return "a list of strings (...)";
    case Value::Kind::Binary:
      return "bytes {...}";
  }
  return "a value";
}

namespace {

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not well formed.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  std::uint32_t min = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0)
    length = 2, min = 0x80;
  else if ((lead & 0xF0) == 0xE0)
    length = 3, min = 0x800;
  else if ((lead & 0xF8) == 0xF0)
    length = 4, min = 0x10000;
  else
    return 0;
  if (i + length > text.size()) return 0;
  std::uint32_t code = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Object ParseDocument() {
    SkipBlanks();
    Object root = ParseObject();
    SkipBlanks();
    if (!AtEnd()) Fail("expected the end of the description after the last 'end'");
    return root;
  }

 private:
  bool AtEnd() const { return offset_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[offset_]; }

  [[noreturn]] void Fail(const std::string& message) const { throw Error(pos_, message); }

  void Advance() {
    const size_t length = Utf8SequenceLength(text_, offset_);
    if (length == 0) Fail("expected UTF-8 text, found a malformed byte sequence");
    if (text_[offset_] == '\n') {
      ++pos_.line;
      pos_.column = 1;
    } else {
      ++pos_.column;
    }
    offset_ += length;
  }

  void SkipBlanks() {
    while (!AtEnd()) {
      const char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Advance();
      } else if (c == '/' && offset_ + 1 < text_.size() && text_[offset_ + 1] == '/') {
        while (!AtEnd() && Peek() != '\n') Advance();
      } else {
        break;
      }
    }
  }

  std::string Describe() const {
    if (AtEnd()) return "the end of the description";
    const char c = Peek();
    if (IsIdentStart(c)) {
      size_t end = offset_;
      while (end < text_.size() && IsIdentChar(text_[end])) ++end;
      return "'" + std::string(text_.substr(offset_, end - offset_)) + "'";
    }
    if (c == '\'') return "a string";
    if (IsDigit(c) || c == '-' || c == '$') return "a number";
    const size_t length = Utf8SequenceLength(text_, offset_);
    return "'" + std::string(text_.substr(offset_, length ? length : 1)) + "'";
  }

  void Expect(char c, std::string_view what) {
    SkipBlanks();
    if (Peek() != c) Fail("expected " + std::string(what) + ", found " + Describe());
    Advance();
  }

  // A plain identifier, or a dotted one (Font.Height) where dotted is allowed.
  std::string Identifier(std::string_view what, bool dotted) {
    SkipBlanks();
    if (!IsIdentStart(Peek())) Fail("expected " + std::string(what) + ", found " + Describe());
    const size_t start = offset_;
    for (;;) {
      while (!AtEnd() && IsIdentChar(Peek())) Advance();
      if (!dotted || Peek() != '.') break;
      Advance();
      if (!IsIdentStart(Peek())) Fail("expected a name after '.', found " + Describe());
    }
    return std::string(text_.substr(start, offset_ - start));
  }

  bool AtKeyword(std::string_view keyword) {
    SkipBlanks();
    if (text_.substr(offset_, keyword.size()) != keyword) return false;
    const size_t after = offset_ + keyword.size();
    return after >= text_.size() || !IsIdentChar(text_[after]);
  }

  Object ParseObject() {
    SkipBlanks();
    Object object;
    object.pos = pos_;
    if (!AtKeyword("object")) Fail("expected 'object', found " + Describe());
    Identifier("'object'", false);
    object.name = Identifier("the object's name", false);
    Expect(':', "':' after the object's name");
    object.className = Identifier("the object's class name", false);
    for (;;) {
      if (AtKeyword("end")) {
        Identifier("'end'", false);
        return object;
      }
      if (AtEnd()) Fail("expected 'end' to close object '" + object.name + "'");
      if (AtKeyword("object")) {
        object.children.push_back(ParseObject());
        continue;
      }
      Property property;
      property.pos = pos_;
      property.name = Identifier("a property name, 'object' or 'end'", true);
      Expect('=', "'=' after property '" + property.name + "'");
      property.value = ParseValue();
      object.properties.push_back(std::move(property));
    }
  }

  Value ParseValue() {
    SkipBlanks();
    Value value;
    value.pos = pos_;
    const char c = Peek();
    if (c == '\'') {
      value.kind = Value::Kind::String;
      value.text = String();
    } else if (IsDigit(c) || c == '-' || c == '$') {
      value.kind = Value::Kind::Integer;
      value.integer = Integer();
    } else if (IsIdentStart(c)) {
      value.kind = Value::Kind::Identifier;
      value.text = Identifier("a value", false);
    } else if (c == '[') {
      value.kind = Value::Kind::Set;
      Advance();
      SkipBlanks();
      if (Peek() != ']') {
        for (;;) {
          value.items.push_back(Identifier("a set member", false));
          SkipBlanks();
          if (Peek() == ']') break;
          Expect(',', "',' or ']' in a set");
        }
      }
      Advance();
    } else if (c == '(') {
      value.kind = Value::Kind::List;
      Advance();
      for (;;) {
        SkipBlanks();
        if (Peek() == ')') break;
        if (Peek() != '\'') Fail("expected a string or ')' in a list, found " + Describe());
        value.itemPos.push_back(pos_);
        value.items.push_back(String());
      }
      Advance();
    } else if (c == '{') {
      value.kind = Value::Kind::Binary;
      Advance();
      for (;;) {
        SkipBlanks();
        if (Peek() == '}') break;
        const int high = HexDigit(Peek());
        if (high < 0) Fail("expected a hex digit or '}' in bytes, found " + Describe());
        Advance();
        const int low = HexDigit(Peek());
        if (low < 0) Fail("expected the second hex digit of a byte, found " + Describe());
        Advance();
        value.bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
      }
      Advance();
    } else {
      Fail("expected a value (number, string, identifier, [set], (list) or {bytes}), found " +
           Describe());
    }
    return value;
  }

  std::string String() {
    const SourcePos start = pos_;
    Advance();  // opening quote
    std::string result;
    for (;;) {
      if (AtEnd() || Peek() == '\n' || Peek() == '\r') {
        throw Error(start, "expected a closing quote before the end of the line");
      }
      if (Peek() == '\'') {
        Advance();
        if (Peek() != '\'') return result;
      }
      const size_t before = offset_;
      Advance();
      result.append(text_.substr(before, offset_ - before));
    }
  }

  std::int64_t Integer() {
    const SourcePos start = pos_;
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      Advance();
    }
    int base = 10;
    if (Peek() == '$') {
      base = 16;
      Advance();
    }
    const size_t digits = offset_;
    while (!AtEnd() && (base == 16 ? HexDigit(Peek()) >= 0 : IsDigit(Peek()))) Advance();
    if (offset_ == digits) Fail("expected digits, found " + Describe());
    if (IsIdentChar(Peek())) Fail("expected a number, found a number followed by " + Describe());
    std::int64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text_.data() + digits, text_.data() + offset_, magnitude, base);
    if (error != std::errc() || end != text_.data() + offset_ || magnitude > 0x7FFFFFFF) {
      throw Error(start, "expected a number that fits in 32 bits");
    }
    return negative ? -magnitude : magnitude;
  }

  std::string_view text_;
  size_t offset_ = 0;
  SourcePos pos_;
};

}  // namespace

Object Parse(std::string_view text) {
  return Parser(text).ParseDocument();
}

}  // namespace description

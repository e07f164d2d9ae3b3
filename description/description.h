// The stored window description: a small text format of nested objects with typed properties.
//
//   object Form1: TForm1
//     Caption = 'Vornasta'          // string, '' stands for one quote
//     ClientWidth = 347             // integer, decimal or $hex
//     BorderIcons = [biSystemMenu]  // set of identifiers
//     Lines.Strings = ('a' 'b')     // list of strings
//     SkinStream = {0A1B}           // bytes in hex
//     object Button1: TButton ... end
//   end
//
// Portable: no Windows header, so it is unit-tested natively and run by the build to reject a
// broken description before it can ship.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace description {

struct SourcePos {
  int line = 1;
  int column = 1;  // counted in characters, not bytes
};

// A malformed description. what() reads "line L, column C: <message>".
class Error : public std::runtime_error {
 public:
  Error(SourcePos pos, const std::string& message);
  SourcePos pos() const { return pos_; }
  const std::string& message() const { return message_; }

 private:
  SourcePos pos_;
  std::string message_;
};

struct Value {
  enum class Kind { Integer, String, Identifier, Set, List, Binary };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;
  std::string text;                // String (UTF-8) or Identifier
  std::vector<std::string> items;  // Set (identifiers) or List (strings)
  std::vector<SourcePos> itemPos;  // where each List string starts (its opening quote)
  std::vector<std::uint8_t> bytes;
  SourcePos pos;
};

struct Property {
  std::string name;
  Value value;
  SourcePos pos;
};

struct Object {
  std::string name;
  std::string className;
  std::vector<Property> properties;
  std::vector<Object> children;
  SourcePos pos;

  const Property* Find(std::string_view property) const;
};

// Reads exactly one top-level object; anything after its `end` is an error.
Object Parse(std::string_view text);

std::string_view KindName(Value::Kind kind);

}  // namespace description

// The stored window layout: a text of nested objects with typed property values, read at start-up.
//
//   object Form1: TForm1
//     Caption = 'Prismatone setup'      string (UTF-8, '' doubles a quote)
//     ClientWidth = 680                  integer (decimal, or $hex)
//     Version = 7.2                      real (decimal point, optional exponent)
//     BorderStyle = bsDialog             identifier (enumerations, true/false, colour names, methods)
//     BorderIcons = [biSystemMenu]       set
//     Items.Strings = ('one' 'two')      string list
//     Picture.Data = {FFD8...}           binary, hexadecimal
//     InternalSkins = <item Name = 'x' end>   collection of items with properties
//     object Image1: TImage ... end      owned object
//   end
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Types.h"

class ELayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TLayoutProperty;

struct TLayoutValue {
  enum class Kind { Integer, Real, String, Identifier, Set, List, Binary, Collection };
  Kind kind = Kind::Integer;
  std::int64_t integer = 0;
  double real = 0;
  std::wstring text;                // String, or Identifier
  std::vector<std::wstring> items;  // Set members, List strings
  std::vector<std::uint8_t> bytes;  // Binary
  std::vector<std::vector<TLayoutProperty>> collection;  // Collection: each item's properties

  // Typed readers: throw ELayoutError naming the expected kind on a mismatch.
  std::int64_t AsInteger() const;
  double AsReal() const;  // a real, or an integer taken as one
  const std::wstring& AsString() const;
  const std::wstring& AsIdentifier() const;
  bool AsBoolean() const;
};

struct TLayoutProperty {
  std::string name;  // may be dotted: "Font.Name"
  TLayoutValue value;
  int line = 0;
};


struct TLayoutObject {
  std::string name;
  std::string className;
  std::vector<TLayoutProperty> properties;
  std::vector<TLayoutObject> children;
  int line = 0;
};

// Colour names and numbers as the layout stores them ("clBlack", "clCream", 10065289).
TColor ColorFromLayout(const TLayoutValue& v);
// taLeftJustify, taRightJustify or taCenter; any other identifier is an ELayoutError.
TAlignment AlignmentFromLayout(const TLayoutValue& v);

// Parses one top-level object. Errors name the line: "Layout line 12: ...".
TLayoutObject ParseLayout(std::string_view text);

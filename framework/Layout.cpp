#include "framework/Layout.h"

#include <charconv>
#include <map>

#include "framework/Utf.h"

namespace {

class TLayoutParser {
 public:
  explicit TLayoutParser(std::string_view text) : s_(text) {
    // A UTF-8 byte-order mark is allowed at the start.
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  TLayoutObject ParseRoot() {
    TLayoutObject root = ParseObject();
    SkipSpace();
    if (pos_ < s_.size()) Fail("text after the last 'end'");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw ELayoutError("Layout line " + std::to_string(line_) + ": " + what);
  }

  void SkipSpace() {
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  // Plain ASCII classes, as in the "C" locale, without a call into the runtime per character.
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
  static bool IsIdentStart(char c) { return IsLetter(c) || c == '_'; }
  static bool IsIdentChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

  // An identifier, optionally dotted when dotted is set.
  std::string Ident(bool dotted) {
    SkipSpace();
    if (pos_ >= s_.size() || !IsIdentStart(s_[pos_])) Fail("name expected");
    const std::size_t start = pos_;
    while (pos_ < s_.size() && (IsIdentChar(s_[pos_]) || (dotted && s_[pos_] == '.' && pos_ + 1 < s_.size() && IsIdentStart(s_[pos_ + 1]))))
      ++pos_;
    return std::string(s_.substr(start, pos_ - start));
  }

  void Expect(char c) {
    SkipSpace();
    if (pos_ >= s_.size() || s_[pos_] != c) Fail(std::string("'") + c + "' expected");
    ++pos_;
  }

  bool PeekWord(std::string_view w) {
    SkipSpace();
    if (s_.substr(pos_, w.size()) != w) return false;
    const std::size_t after = pos_ + w.size();
    return after >= s_.size() || !IsIdentChar(s_[after]);
  }

  TLayoutObject ParseObject() {
    if (!PeekWord("object")) Fail("'object' expected");
    pos_ += 6;
    TLayoutObject obj;
    obj.line = line_;
    obj.name = Ident(false);
    Expect(':');
    obj.className = Ident(false);
    for (;;) {
      if (PeekWord("end")) {
        pos_ += 3;
        return obj;
      }
      if (PeekWord("object")) {
        obj.children.push_back(ParseObject());
        continue;
      }
      if (pos_ >= s_.size()) Fail("'end' expected before the end of the text");
      TLayoutProperty prop;
      prop.line = line_;
      prop.name = Ident(true);
      Expect('=');
      prop.value = Value();
      obj.properties.push_back(std::move(prop));
    }
  }

  std::string QuotedString() {
    // Caller stands on the opening quote. '' inside stands for one quote.
    std::string out;
    ++pos_;
    for (;;) {
      if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
      if (s_[pos_] == '\'') {
        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
          out += '\'';
          pos_ += 2;
          continue;
        }
        ++pos_;
        return out;
      }
      out += s_[pos_++];
    }
  }

  // Adjacent quoted pieces joined by '+' form one string (long texts over several lines).
  std::wstring StringValue() {
    std::string joined = QuotedString();
    for (;;) {
      SkipSpace();
      if (pos_ < s_.size() && s_[pos_] == '+') {
        ++pos_;
        SkipSpace();
        if (pos_ >= s_.size() || s_[pos_] != '\'') Fail("string expected after '+'");
        joined += QuotedString();
      } else {
        return Utf8ToWide(joined);
      }
    }
  }

  TLayoutValue Value() {
    SkipSpace();
    if (pos_ >= s_.size()) Fail("value expected");
    TLayoutValue v;
    const char c = s_[pos_];
    if (c == '\'') {
      v.kind = TLayoutValue::Kind::String;
      v.text = StringValue();
    } else if (c == '-' || c == '$' || IsDigit(c)) {
      const std::size_t start = pos_;
      v.kind = TLayoutValue::Kind::Integer;
      v.integer = Integer();
      if (pos_ < s_.size() && s_[pos_] == '.' && s_.substr(start, pos_ - start).find('$') == std::string_view::npos) {
        v.kind = TLayoutValue::Kind::Real;
        v.real = RealFrom(start);
      }
    } else if (c == '[') {
      v.kind = TLayoutValue::Kind::Set;
      ++pos_;
      SkipSpace();
      if (pos_ < s_.size() && s_[pos_] == ']') {
        ++pos_;
      } else {
        for (;;) {
          v.items.push_back(Utf8ToWide(Ident(false)));
          SkipSpace();
          if (pos_ < s_.size() && s_[pos_] == ',') { ++pos_; continue; }
          Expect(']');
          break;
        }
      }
    } else if (c == '(') {
      v.kind = TLayoutValue::Kind::List;
      ++pos_;
      for (;;) {
        SkipSpace();
        if (pos_ < s_.size() && s_[pos_] == ')') { ++pos_; break; }
        if (pos_ >= s_.size() || s_[pos_] != '\'') Fail("string expected in list");
        v.items.push_back(StringValue());
      }
    } else if (c == '{') {
      v.kind = TLayoutValue::Kind::Binary;
      ++pos_;
      // Stored pictures and skins are long runs of digit pairs: room for them is made at once.
      if (const std::size_t close = s_.find('}', pos_); close != std::string_view::npos) v.bytes.reserve((close - pos_) / 2);
      int high = -1;
      for (;;) {
        SkipSpace();
        if (pos_ >= s_.size()) Fail("'}' expected");
        const char h = s_[pos_++];
        if (h == '}') break;
        int d = IsDigit(h) ? h - '0'
                : (h >= 'A' && h <= 'F') ? h - 'A' + 10 : (h >= 'a' && h <= 'f') ? h - 'a' + 10 : -1;
        if (d < 0) Fail("hexadecimal digit expected");
        if (high < 0) {
          high = d;
        } else {
          v.bytes.push_back(std::uint8_t(high << 4 | d));
          high = -1;
        }
      }
      if (high >= 0) Fail("odd number of hexadecimal digits");
    } else if (c == '<') {
      v.kind = TLayoutValue::Kind::Collection;
      ++pos_;
      for (;;) {
        SkipSpace();
        if (pos_ < s_.size() && s_[pos_] == '>') { ++pos_; break; }
        if (!PeekWord("item")) Fail("'item' expected in collection");
        pos_ += 4;
        std::vector<TLayoutProperty> item;
        while (!PeekWord("end")) {
          if (pos_ >= s_.size()) Fail("'end' expected");
          TLayoutProperty prop;
          prop.line = line_;
          prop.name = Ident(true);
          Expect('=');
          prop.value = Value();
          item.push_back(std::move(prop));
        }
        pos_ += 3;
        v.collection.push_back(std::move(item));
      }
    } else if (IsIdentStart(c)) {
      v.kind = TLayoutValue::Kind::Identifier;
      v.text = Utf8ToWide(Ident(true));
    } else {
      Fail("value expected");
    }
    return v;
  }

  std::int64_t Integer() {
    bool negative = false;
    if (s_[pos_] == '-') { negative = true; ++pos_; }
    const bool hex = pos_ < s_.size() && s_[pos_] == '$';
    if (hex) ++pos_;
    std::uint64_t value = 0;
    int digits = 0;
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      int d = IsDigit(c) ? c - '0'
              : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10 : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (d < 0) break;
      value = value * (hex ? 16 : 10) + std::uint64_t(d);
      if (value > 0xFFFFFFFFull) Fail("number out of range");
      ++digits;
      ++pos_;
    }
    if (digits == 0) Fail("number expected");
    // Hexadecimal values name 32-bit patterns (colours such as $FF00000F), so they wrap to int32.
    std::int64_t result = hex ? std::int64_t(std::int32_t(std::uint32_t(value))) : std::int64_t(value);
    if (!hex && result > 0x7FFFFFFF + std::int64_t(negative)) Fail("number out of range");
    return negative ? -result : result;
  }

  // The rest of a real whose integer part began at start: the decimal point, its digits and an
  // optional exponent. Read without the C locale, which may want a comma.
  double RealFrom(std::size_t start) {
    ++pos_;
    auto digits = [this] {
      const std::size_t first = pos_;
      while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
      if (pos_ == first) Fail("digits expected");
    };
    digits();
    if (pos_ < s_.size() && (s_[pos_] == 'E' || s_[pos_] == 'e')) {
      ++pos_;
      if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
      digits();
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, value);
    if (ec != std::errc() || end != s_.data() + pos_) Fail("number out of range");
    return value;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

const char* KindName(TLayoutValue::Kind k) {
  switch (k) {
    case TLayoutValue::Kind::Integer: return "integer";
    case TLayoutValue::Kind::Real: return "real";
    case TLayoutValue::Kind::String: return "string";
    case TLayoutValue::Kind::Identifier: return "identifier";
    case TLayoutValue::Kind::Set: return "set";
    case TLayoutValue::Kind::List: return "list";
    case TLayoutValue::Kind::Binary: return "binary";
    case TLayoutValue::Kind::Collection: return "collection";
  }
  return "value";
}

void Require(const TLayoutValue& v, TLayoutValue::Kind k) {
  if (v.kind != k) throw ELayoutError(std::string(KindName(k)) + " value expected, found " + KindName(v.kind));
}

}  // namespace

std::int64_t TLayoutValue::AsInteger() const {
  Require(*this, Kind::Integer);
  return integer;
}

double TLayoutValue::AsReal() const {
  if (kind == Kind::Integer) return double(integer);
  Require(*this, Kind::Real);
  return real;
}

const std::wstring& TLayoutValue::AsString() const {
  Require(*this, Kind::String);
  return text;
}

const std::wstring& TLayoutValue::AsIdentifier() const {
  Require(*this, Kind::Identifier);
  return text;
}

bool TLayoutValue::AsBoolean() const {
  Require(*this, Kind::Identifier);
  if (text == L"True" || text == L"true") return true;
  if (text == L"False" || text == L"false") return false;
  throw ELayoutError("boolean value expected");
}

TAlignment AlignmentFromLayout(const TLayoutValue& v) {
  const std::wstring& s = v.AsIdentifier();
  if (s == L"taLeftJustify") return TAlignment::taLeftJustify;
  if (s == L"taRightJustify") return TAlignment::taRightJustify;
  if (s == L"taCenter") return TAlignment::taCenter;
  throw ELayoutError("unknown alignment");
}

TColor ColorFromLayout(const TLayoutValue& v) {
  if (v.kind == TLayoutValue::Kind::Integer) return TColor(std::uint32_t(v.integer));
  static const std::map<std::wstring, TColor> names = {
      {L"clBlack", clBlack},         {L"clWhite", clWhite},         {L"clAqua", clAqua},
      {L"clFuchsia", clFuchsia},     {L"clCream", clCream},         {L"clNone", clNone},
      {L"clWindow", clWindow},       {L"clWindowText", clWindowText}, {L"clBtnFace", clBtnFace},
      {L"clBtnShadow", clBtnShadow}, {L"clBtnText", clBtnText},     {L"clBtnHighlight", clBtnHighlight},
  };
  auto it = names.find(v.AsIdentifier());
  if (it == names.end()) throw ELayoutError("unknown colour " + WideToUtf8(v.text));
  return it->second;
}

TLayoutObject ParseLayout(std::string_view text) { return TLayoutParser(text).ParseRoot(); }

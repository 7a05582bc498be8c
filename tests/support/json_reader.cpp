// The JSON reader: recursive descent over the grammar of RFC 8259, rejecting anything outside it.
#include "tests/support/json_reader.h"

#include <cctype>
#include <cstdlib>

namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Document(JsonValue* value) {
    if (!Value(value, 0)) return false;
    SkipSpace();
    return at_ == text_.size() || Fail("text after the value");
  }
  const std::string& Error() const { return error_; }

 private:
  static constexpr int kMaxDepth = 64;

  bool Fail(const char* why) {
    if (error_.empty()) error_ = std::string(why) + " at offset " + std::to_string(at_);
    return false;
  }
  void SkipSpace() {
    while (at_ < text_.size() && std::string_view(" \t\n\r").find(text_[at_]) != std::string_view::npos) ++at_;
  }
  bool Take(char c) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return Fail("unknown word");
    at_ += word.size();
    return true;
  }

  bool Value(JsonValue* value, int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    SkipSpace();
    if (at_ == text_.size()) return Fail("missing value");
    switch (text_[at_]) {
      case '{': return Object(value, depth);
      case '[': return Array(value, depth);
      case '"': value->kind = JsonValue::Kind::String; return String(&value->string);
      case 't': value->kind = JsonValue::Kind::Bool; value->boolean = true; return Word("true");
      case 'f': value->kind = JsonValue::Kind::Bool; return Word("false");
      case 'n': value->kind = JsonValue::Kind::Null; return Word("null");
      default: return Number(value);
    }
  }

  bool Object(JsonValue* value, int depth) {
    value->kind = JsonValue::Kind::Object;
    ++at_;
    if (Take('}')) return true;
    do {
      SkipSpace();
      std::pair<std::string, JsonValue> member;
      if (at_ == text_.size() || text_[at_] != '"') return Fail("expected a key");
      if (!String(&member.first)) return false;
      if (!Take(':')) return Fail("expected ':'");
      if (!Value(&member.second, depth + 1)) return false;
      value->members.push_back(std::move(member));
    } while (Take(','));
    return Take('}') || Fail("expected ',' or '}'");
  }

  bool Array(JsonValue* value, int depth) {
    value->kind = JsonValue::Kind::Array;
    ++at_;
    if (Take(']')) return true;
    do {
      value->items.emplace_back();
      if (!Value(&value->items.back(), depth + 1)) return false;
    } while (Take(','));
    return Take(']') || Fail("expected ',' or ']'");
  }

  size_t Digits() {
    size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ - start;
  }

  bool Number(JsonValue* value) {
    size_t start = at_;
    if (text_[at_] == '-') ++at_;
    size_t first = at_;
    size_t whole = Digits();
    if (whole == 0 || (whole > 1 && text_[first] == '0')) return Fail("bad number");
    if (at_ < text_.size() && text_[at_] == '.' && (++at_, Digits() == 0)) return Fail("bad fraction");
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (Digits() == 0) return Fail("bad exponent");
    }
    value->kind = JsonValue::Kind::Number;
    value->number = std::strtod(std::string(text_.substr(start, at_ - start)).c_str(), nullptr);
    return true;
  }

  void Utf8(uint32_t c, std::string* out) {
    if (c < 0x80) {
      *out += static_cast<char>(c);
    } else if (c < 0x800) {
      *out += static_cast<char>(0xC0 | c >> 6), *out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      *out += static_cast<char>(0xE0 | c >> 12), *out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      *out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *out += static_cast<char>(0xF0 | c >> 18), *out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      *out += static_cast<char>(0x80 | (c >> 6 & 0x3F)), *out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  bool Hex4(uint32_t* c) {
    if (at_ + 4 > text_.size()) return Fail("short \\u escape");
    *c = 0;
    for (int i = 0; i < 4; ++i) {
      char h = text_[at_++];
      size_t digit = std::string_view("0123456789abcdef").find(static_cast<char>(std::tolower(h)));
      if (digit == std::string_view::npos) return Fail("bad \\u escape");
      *c = *c << 4 | static_cast<uint32_t>(digit);
    }
    return true;
  }

  bool Escape(std::string* out) {
    static constexpr std::string_view kFrom = "\"\\/bfnrt", kTo = "\"\\/\b\f\n\r\t";
    char e = at_ < text_.size() ? text_[at_++] : '\0';
    if (size_t k = kFrom.find(e); e != '\0' && k != std::string_view::npos) return *out += kTo[k], true;
    uint32_t c = 0;
    if (e != 'u' || !Hex4(&c)) return Fail("bad escape");
    if (c >= 0xD800 && c <= 0xDBFF) {
      uint32_t low = 0;
      if (text_.substr(at_, 2) != "\\u" || (at_ += 2, !Hex4(&low)) || low < 0xDC00 || low > 0xDFFF) {
        return Fail("lone surrogate");
      }
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return Fail("lone surrogate");
    }
    Utf8(c, out);
    return true;
  }

  bool String(std::string* out) {
    ++at_;
    while (at_ < text_.size()) {
      char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in a string");
      if (c != '\\') {
        *out += c;
      } else if (!Escape(out)) {
        return false;
      }
    }
    return Fail("unterminated string");
  }

  std::string_view text_;
  size_t at_ = 0;
  std::string error_;
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const {
  static const JsonValue kMissing;
  for (const auto& [name, value] : members) {
    if (name == key) return value;
  }
  return kMissing;
}

bool JsonValue::Has(std::string_view key) const {
  for (const auto& member : members) {
    if (member.first == key) return true;
  }
  return false;
}

bool ParseJson(std::string_view text, JsonValue* value, std::string* error) {
  Reader reader(text);
  *value = JsonValue{};
  if (reader.Document(value)) return true;
  if (error != nullptr) *error = reader.Error();
  return false;
}

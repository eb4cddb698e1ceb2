#pragma once
// A strict reader of JSON text (RFC 8259) for the tests: it rejects what a
// lenient reader would let through (NaN literals, trailing commas, leading
// zeros, raw control characters in strings, duplicate member names, text
// after the value), so that a test that reads a document back also checks
// that the document is valid JSON.

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace colsec::test {

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0.0;
  std::string text;  // a string's value, or a number as written
  std::vector<JsonValue> items;
  // An object's members in document order: names[i] names values[i].
  // (Two vectors: a vector of pairs would need the type complete here.)
  std::vector<std::string> names;
  std::vector<JsonValue> values;

  bool isNull() const { return kind == Kind::Null; }
  // The member of that name; throws when there is none.
  const JsonValue& operator[](const std::string& name) const;
  const JsonValue& operator[](std::size_t index) const;
  bool has(const std::string& name) const;
  double num() const;
  bool flag() const;
  const std::string& str() const;
};

inline const JsonValue& JsonValue::operator[](const std::string& name) const {
  if (kind != Kind::Object) throw std::runtime_error("not an object, looking for \"" + name + "\"");
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return values[i];
  }
  throw std::runtime_error("no member \"" + name + "\"");
}

inline const JsonValue& JsonValue::operator[](std::size_t index) const {
  if (kind != Kind::Array || index >= items.size()) throw std::runtime_error("no array item " + std::to_string(index));
  return items[index];
}

inline bool JsonValue::has(const std::string& name) const {
  for (const std::string& known : names) {
    if (known == name) return true;
  }
  return false;
}

inline double JsonValue::num() const {
  if (kind != Kind::Number) throw std::runtime_error("not a number");
  return number;
}

inline bool JsonValue::flag() const {
  if (kind != Kind::Bool) throw std::runtime_error("not a boolean");
  return boolean;
}

inline const std::string& JsonValue::str() const {
  if (kind != Kind::String) throw std::runtime_error("not a string");
  return text;
}

class JsonReader {
 public:
  // Throws std::runtime_error with the byte offset on any deviation.
  static JsonValue parse(const std::string& text) {
    JsonReader reader(text);
    reader.skipBlanks();
    JsonValue value = reader.parseValue(0);
    reader.skipBlanks();
    if (reader.pos_ != text.size()) reader.fail("text after the value");
    return value;
  }

 private:
  explicit JsonReader(const std::string& text) : s_(text) {}

  [[noreturn]] void fail(const std::string& what) const {
    throw std::runtime_error("JSON: " + what + " at byte " + std::to_string(pos_));
  }
  char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
  void skipBlanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) ++pos_;
  }
  void expect(char c) {
    if (peek() != c || pos_ >= s_.size()) fail(std::string("expected '") + c + "'");
    ++pos_;
  }
  bool literal(const char* word) {
    const std::string w(word);
    if (s_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  JsonValue parseValue(int depth) {
    if (depth > 64) fail("too deep");
    JsonValue v;
    const char c = peek();
    if (c == '{') {
      v.kind = JsonValue::Kind::Object;
      ++pos_;
      skipBlanks();
      if (peek() == '}') {
        ++pos_;
        return v;
      }
      while (true) {
        skipBlanks();
        if (peek() != '"') fail("expected a member name");
        std::string name = parseString();
        for (const std::string& known : v.names) {
          if (known == name) fail("duplicate member \"" + name + "\"");
        }
        skipBlanks();
        expect(':');
        skipBlanks();
        v.names.push_back(std::move(name));
        v.values.push_back(parseValue(depth + 1));
        skipBlanks();
        if (peek() == ',') {
          ++pos_;
          continue;
        }
        expect('}');
        return v;
      }
    }
    if (c == '[') {
      v.kind = JsonValue::Kind::Array;
      ++pos_;
      skipBlanks();
      if (peek() == ']') {
        ++pos_;
        return v;
      }
      while (true) {
        skipBlanks();
        v.items.push_back(parseValue(depth + 1));
        skipBlanks();
        if (peek() == ',') {
          ++pos_;
          continue;
        }
        expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.kind = JsonValue::Kind::String;
      v.text = parseString();
      return v;
    }
    if (literal("true")) {
      v.kind = JsonValue::Kind::Bool;
      v.boolean = true;
      return v;
    }
    if (literal("false")) {
      v.kind = JsonValue::Kind::Bool;
      return v;
    }
    if (literal("null")) return v;
    if (c == '-' || (c >= '0' && c <= '9')) return parseNumber();
    fail("unexpected character");
  }

  static bool digit(char c) { return c >= '0' && c <= '9'; }

  JsonValue parseNumber() {
    const std::size_t start = pos_;
    if (peek() == '-') ++pos_;
    if (peek() == '0') {
      ++pos_;
    } else if (digit(peek())) {
      while (digit(peek())) ++pos_;
    } else {
      fail("malformed number");
    }
    if (peek() == '.') {
      ++pos_;
      if (!digit(peek())) fail("malformed fraction");
      while (digit(peek())) ++pos_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++pos_;
      if (peek() == '+' || peek() == '-') ++pos_;
      if (!digit(peek())) fail("malformed exponent");
      while (digit(peek())) ++pos_;
    }
    JsonValue v;
    v.kind = JsonValue::Kind::Number;
    v.text = s_.substr(start, pos_ - start);
    // strtod rounds correctly, so a shortest round-trip text gives back
    // the very double that was written.
    v.number = std::strtod(v.text.c_str(), nullptr);
    return v;
  }

  unsigned hex4() {
    unsigned code = 0;
    for (int k = 0; k < 4; ++k) {
      const char h = peek();
      code <<= 4;
      if (h >= '0' && h <= '9') code |= static_cast<unsigned>(h - '0');
      else if (h >= 'a' && h <= 'f') code |= static_cast<unsigned>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F') code |= static_cast<unsigned>(h - 'A' + 10);
      else fail("malformed \\u escape");
      ++pos_;
    }
    return code;
  }

  static void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::string parseString() {
    expect('"');
    std::string out;
    while (true) {
      if (pos_ >= s_.size()) fail("unterminated string");
      const auto c = static_cast<unsigned char>(s_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) fail("raw control character in a string");
      if (c != '\\') {
        out += static_cast<char>(c);
        ++pos_;
        continue;
      }
      ++pos_;
      const char e = peek();
      ++pos_;
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned code = hex4();
          if (code >= 0xD800 && code <= 0xDBFF) {
            if (!literal("\\u")) fail("lone high surrogate");
            const unsigned low = hex4();
            if (low < 0xDC00 || low > 0xDFFF) fail("bad low surrogate");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (code >= 0xDC00 && code <= 0xDFFF) {
            fail("lone low surrogate");
          }
          appendUtf8(out, code);
          break;
        }
        default:
          --pos_;
          fail("unknown escape");
      }
    }
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace colsec::test

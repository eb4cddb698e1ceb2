#pragma once
// A small streaming writer of JSON text (RFC 8259), indented by two blanks
// per level. Numbers are written in the shortest form that reads back to
// the same double; NaN and infinities, which JSON cannot express, are
// written as null. Strings are escaped; valid UTF-8 passes through and a
// byte that is not part of a valid UTF-8 sequence becomes U+FFFD.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace colsec {

// Length of the valid UTF-8 sequence that starts at text[i], 0 when the
// byte there does not start one (stray continuation byte, overlong form,
// surrogate, beyond U+10FFFF, or cut short). Text from the input may hold
// any bytes (a comment in Latin-1): the JSON and the page replace those
// with U+FFFD.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

// The JSON literal of a string, with its quotes.
std::string jsonString(std::string_view text);
// The JSON text of a number: "null" when it is NaN or infinite.
std::string jsonNumber(double value);

class JsonWriter {
 public:
  // stream must outlive the writer.
  explicit JsonWriter(std::ostream& stream) : stream_(stream) {}
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The name of the next member; only inside an object.
  void key(std::string_view name);

  void value(double number);
  void value(std::int32_t number);
  void value(bool flag);
  void value(std::string_view text);
  void value(const char* text) { value(std::string_view(text)); }
  void null();
  // A value that is JSON text already (a document written elsewhere).
  void rawValue(std::string_view json);

  template <typename T>
  void field(std::string_view name, const T& v) {
    key(name);
    value(v);
  }

  // After the outermost value: ends the text with a line feed.
  void finish();

 private:
  // Separator and indentation before a value, member or closing bracket.
  void beforeValue();
  void newline(std::size_t depth);
  void close(char bracket);

  std::ostream& stream_;
  // Per open container: whether it holds a value yet.
  std::vector<bool> nonEmpty_;
  bool afterKey_ = false;
};

}  // namespace colsec

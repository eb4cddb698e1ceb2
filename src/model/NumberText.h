#pragma once
// Number text for the bulk writers. std::to_chars in general format with
// six significant digits gives the same characters as the default
// formatting of a double on a text stream (the %g convention), including
// "inf", "-inf", "nan" and "-nan", without the stream's per-call cost.

#include <bit>
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

namespace colsec {

inline void appendNumber(std::string& text, double value) {
  char buffer[32];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  text.append(buffer, result.ptr);
}

inline void appendNumber(std::string& text, std::int32_t value) {
  char buffer[16];
  const std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text.append(buffer, result.ptr);
}

// Remembers the text of recently written values: element lists repeat
// their coordinates, widths and plastic stresses many times over.
class NumberTextCache {
 public:
  NumberTextCache() : entries_(kEntries) {}

  void append(std::string& text, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    Entry& entry = entries_[(bits * 0x9E3779B97F4A7C15ULL) >> (64 - kIndexBits)];
    if (entry.length == 0 || entry.bits != bits) {
      const std::to_chars_result result =
          std::to_chars(entry.text, entry.text + sizeof entry.text, value, std::chars_format::general, 6);
      entry.bits = bits;
      entry.length = static_cast<unsigned char>(result.ptr - entry.text);
    }
    text.append(entry.text, entry.length);
  }

 private:
  static constexpr int kIndexBits = 12;
  static constexpr std::size_t kEntries = std::size_t{1} << kIndexBits;
  struct Entry {
    std::uint64_t bits = 0;
    unsigned char length = 0;  // 0: empty
    char text[23] = {};
  };
  std::vector<Entry> entries_;
};

}  // namespace colsec

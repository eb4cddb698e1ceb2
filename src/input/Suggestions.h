#pragma once
// Near misses of the input's keywords: a word the user probably meant.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace colsec {

// Levenshtein distance of a and b (insertions, deletions, substitutions),
// compared byte by byte; any result above `limit` is returned as limit + 1,
// so a long token costs no more than a short one.
std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit);

// The record keyword ("#MATERIAL", "#PROFILE", "#FORCEED", "#SETTINGS")
// that a first token which is not one of them was probably meant to be:
// compared without regard to ASCII case and to a missing leading "#", equal
// or within two edits. Empty when the token is far from every keyword.
std::string nearRecordKeyword(std::string_view token);

// Of `words`, the one nearest to `token` without regard to ASCII case; the
// first of equally near ones.
std::string nearestWord(std::string_view token, std::span<const char* const> words);

}  // namespace colsec

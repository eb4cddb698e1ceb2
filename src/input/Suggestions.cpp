#include "input/Suggestions.h"

#include <algorithm>
#include <vector>

namespace colsec {

namespace {

constexpr const char* kRecordKeywords[] = {"#MATERIAL", "#PROFILE", "#FORCEED", "#SETTINGS", "#MOMENTSFROMAXIALFORCE",
                                             "#MEMBER"};

std::string upperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

}  // namespace

std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit) {
  const std::size_t longer = std::max(a.size(), b.size());
  const std::size_t shorter = std::min(a.size(), b.size());
  if (longer - shorter > limit) return limit + 1;
  // One row of the classic table at a time.
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t rowMinimum = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      rowMinimum = std::min(rowMinimum, row[j]);
    }
    if (rowMinimum > limit) return limit + 1;
  }
  return std::min(row[b.size()], limit + 1);
}

std::string nearRecordKeyword(std::string_view token) {
  std::string normalised = upperCase(token);
  if (!normalised.starts_with('#')) normalised.insert(normalised.begin(), '#');
  constexpr std::size_t kMaxEdits = 2;
  std::string best;
  std::size_t bestDistance = kMaxEdits + 1;
  for (const char* keyword : kRecordKeywords) {
    const std::size_t distance = editDistance(normalised, keyword, kMaxEdits);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = keyword;
    }
  }
  return best;
}

std::string nearestWord(std::string_view token, std::span<const char* const> words) {
  const std::string wanted = upperCase(token);
  std::string best;
  // Far enough for any token, small enough that limit + 1 cannot overflow.
  std::size_t bestDistance = std::size_t{1} << 40;
  for (const char* word : words) {
    const std::size_t distance = editDistance(wanted, upperCase(word), bestDistance);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = word;
    }
  }
  return best;
}

}  // namespace colsec

#include "report/ShownItems.h"

#include <bit>
#include <cstdint>
#include <string_view>
#include <utility>

namespace colsec {

namespace {

constexpr std::string_view kProfile = "profile ";

// Where the number of the one "profile N" of `text` starts and ends;
// npos when the text names no profile or more than one.
std::pair<std::size_t, std::size_t> profileNumber(const std::string& text) {
  constexpr auto kNone = std::pair{std::string::npos, std::string::npos};
  std::pair<std::size_t, std::size_t> found = kNone;
  for (std::size_t at = text.find(kProfile); at != std::string::npos; at = text.find(kProfile, at + 1)) {
    const std::size_t first = at + kProfile.size();
    const std::size_t end = text.find_first_not_of("0123456789", first);
    const std::size_t last = end == std::string::npos ? text.size() : end;
    if (last == first) continue;
    if (found != kNone) return kNone;
    found = {first, last};
  }
  return found;
}

// Items that may share a line: warnings alike in everything but the
// number of their one profile.
bool alike(const DesignCheckItem& a, const DesignCheckItem& b) {
  const auto [aFirst, aLast] = profileNumber(a.what);
  const auto [bFirst, bLast] = profileNumber(b.what);
  const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
  return a.warning && b.warning && aFirst != std::string::npos && bFirst != std::string::npos &&
         a.clause == b.clause && bits(a.value) == bits(b.value) && bits(a.limit) == bits(b.limit) &&
         a.quantity == b.quantity && a.what.compare(0, aFirst, b.what, 0, bFirst) == 0 &&
         a.what.compare(aLast, std::string::npos, b.what, bLast, std::string::npos) == 0;
}

}  // namespace

std::vector<ShownItem> shownItems(const std::vector<DesignCheckItem>& items) {
  std::vector<ShownItem> shown;
  std::vector<bool> taken(items.size(), false);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (taken[i]) continue;
    std::vector<std::string> numbers;
    const auto [first, last] = profileNumber(items[i].what);
    for (std::size_t k = i + 1; k < items.size(); ++k) {
      if (taken[k] || !alike(items[i], items[k])) continue;
      const auto [kFirst, kLast] = profileNumber(items[k].what);
      if (numbers.empty()) numbers.push_back(items[i].what.substr(first, last - first));
      numbers.push_back(items[k].what.substr(kFirst, kLast - kFirst));
      taken[k] = true;
    }
    if (numbers.empty()) {
      shown.push_back({i, items[i].what});
      continue;
    }
    std::string list = "profiles ";
    for (std::size_t n = 0; n < numbers.size(); ++n) {
      if (n > 0) list += n + 1 == numbers.size() ? " and " : ", ";
      list += numbers[n];
    }
    const std::string& what = items[i].what;
    shown.push_back({i, what.substr(0, first - kProfile.size()) + list + what.substr(last)});
  }
  return shown;
}

}  // namespace colsec

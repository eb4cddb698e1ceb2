#pragma once
// The design check's items as a reader sees them on the console and the
// page: warnings whose texts differ only in the number of the profile they
// name (the fibre area of four equal bars) are one line naming all the
// profiles. The design check itself, and the JSON, keep one item per
// profile.

#include <cstddef>
#include <string>
#include <vector>

#include "model/Results.h"

namespace colsec {

struct ShownItem {
  std::size_t item;  // index of the first of the items it stands for
  std::string what;  // its text, naming every profile of the line
};

// In the order of the items: every item that is not a warning as it is,
// and one line per group of warnings that agree in everything but the
// profile ("profile 2" ... "profile 5" become "profiles 2, 3, 4 and 5").
std::vector<ShownItem> shownItems(const std::vector<DesignCheckItem>& items);

}  // namespace colsec

// Warnings that differ only in the profile they name share one line on the
// console and the page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ShownItems.h"

namespace colsec {
namespace {

DesignCheckItem warning(const std::string& what, double value = 0.05) {
  DesignCheckItem item;
  item.clause = "fibres";
  item.what = what;
  item.value = value;
  item.limit = 0.02;
  item.warning = true;
  return item;
}

std::string area(int profile, const char* meshed = "468.75") {
  return "fibre area of profile " + std::to_string(profile) + ": " + meshed + " mm² meshed";
}

TEST(ShownItemsTest, AlikeWarningsOfSeveralProfilesAreOneLine) {
  DesignCheckItem check = warning(area(2));
  check.warning = false;  // an item that is not a warning keeps its line
  struct Row {
    const char* name;
    std::vector<DesignCheckItem> items;
    std::vector<std::string> lines;  // "index: text"
  };
  const std::vector<Row> rows = {
      {"four bars", {warning(area(3)), warning(area(4)), warning(area(5)), warning(area(6))},
       {"0: fibre area of profiles 3, 4, 5 and 6: 468.75 mm² meshed"}},
      {"two, apart, one number the start of the other",
       {warning(area(1)), warning("other"), warning(area(12))},
       {"0: fibre area of profiles 1 and 12: 468.75 mm² meshed", "1: other"}},
      {"other areas", {warning(area(3)), warning(area(4, "470"))},
       {"0: " + area(3), "1: " + area(4, "470")}},
      {"other value", {warning(area(3)), warning(area(4), 0.06)}, {"0: " + area(3), "1: " + area(4)}},
      {"not warnings", {check, check}, {"0: " + area(2), "1: " + area(2)}},
      {"two profiles in one text", {warning("profile 1 on profile 2"), warning("profile 3 on profile 2")},
       {"0: profile 1 on profile 2", "1: profile 3 on profile 2"}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> lines;
    for (const ShownItem& shown : shownItems(row.items)) {
      lines.push_back(std::to_string(shown.item) + ": " + shown.what);
    }
    EXPECT_EQ(lines, row.lines) << row.name;
  }
}

}  // namespace
}  // namespace colsec

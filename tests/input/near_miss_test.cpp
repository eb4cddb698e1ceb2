// Near misses of the record keywords: a typing error in the first token
// must stop the run with a suggestion instead of dropping the record, and
// tokens far from every keyword must stay ignored.

#include <gtest/gtest.h>

#include <string>

#include "InputTestSupport.h"
#include "input/Suggestions.h"

namespace colsec {
namespace {

using test::readError;
using test::readText;

TEST(EditDistanceTest, CountsInsertionsDeletionsAndSubstitutions) {
  struct Case {
    const char* a;
    const char* b;
    std::size_t limit;
    std::size_t expected;
  };
  const Case cases[] = {
      {"", "", 2, 0},
      {"#PROFILE", "#PROFILE", 2, 0},
      {"#PROFIL", "#PROFILE", 2, 1},      // one deletion
      {"#MATERIALS", "#MATERIAL", 2, 1},  // one insertion
      {"#FORCEEX", "#FORCEED", 2, 1},     // one substitution
      {"#PORFILE", "#PROFILE", 2, 2},     // a swap is two substitutions
      {"kitten", "sitting", 5, 3},        // k→s, e→i, +g
      {"flaw", "lawn", 5, 2},             // -f, +n
      // Beyond the limit the answer is limit + 1, whatever the real distance.
      {"abcdef", "uvwxyz", 2, 3},
      {"#FORCEEDXYZ", "#FORCEED", 2, 3},
      {"a", "abcdefghij", 2, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(editDistance(c.a, c.b, c.limit), c.expected) << c.a << " / " << c.b;
    EXPECT_EQ(editDistance(c.b, c.a, c.limit), c.expected) << c.b << " / " << c.a;
  }
}

TEST(NearMissTest, FirstTokensNearARecordKeywordAreErrorsAndFarOnesAreIgnored) {
  struct Case {
    const char* token;
    const char* meant;  // "" when the line must stay ignored
  };
  const Case cases[] = {
      // Case, a missing "#", and up to two edits.
      {"#PROFIL", "#PROFILE"},
      {"#forceed", "#FORCEED"},
      {"#Settings", "#SETTINGS"},
      {"FORCEED", "#FORCEED"},
      {"#MATERIALS", "#MATERIAL"},
      {"material", "#MATERIAL"},
      {"Profile", "#PROFILE"},
      {"#FORCED", "#FORCEED"},
      {"#PORFILE", "#PROFILE"},
      {"#MATRIAL", "#MATERIAL"},
      {"#SETTING", "#SETTINGS"},
      {"##PROFILE", "#PROFILE"},
      {"#PROFILES", "#PROFILE"},
      {"#FORCEEDX", "#FORCEED"},
      {"SETTINGS:", "#SETTINGS"},
      {"Materials:", "#MATERIAL"},  // a missing "#" is free: "S:" are the two edits
      // Far from every keyword: other records, result-file lines, words.
      {"#NOTE", ""},
      {"#ELEMENT", ""},
      {"#CURVEPOINT", ""},
      {"NMy", ""},
      {"Loads", ""},
      {"Hello", ""},
      {"#", ""},
      {"#MAT", ""},
      {"#PROFILE_LIST", ""},
      {"#FORCEEDXYZ", ""},
      {"#SETTINGSXXX", ""},
  };
  for (const Case& c : cases) {
    const std::string text = "// a column\n" + std::string(c.token) + " F 1 2 3 4 5\n";
    const std::string expected = c.meant[0] == '\0' ? std::string("(no error)")
                                                    : std::string("col.txt:2: unknown record \"") + c.token +
                                                          "\"; did you mean " + c.meant + "?";
    EXPECT_EQ(readError(text), expected) << "first token " << c.token;
    EXPECT_EQ(nearRecordKeyword(c.token), c.meant) << "first token " << c.token;
  }
}

TEST(NearMissTest, TheTokenIsShownPrintably) {
  EXPECT_EQ(readError("#PROFIL\x01 RECT\n"), "col.txt:1: unknown record \"#PROFIL\\x01\"; did you mean #PROFILE?");
}

TEST(NearMissTest, IgnoredLinesLeaveNoTrace) {
  const auto read = readText("#NOTE x\n#ELEMENT PROF: 1\n#CURVEPOINT NMy 1 2 3\nword\n");
  EXPECT_TRUE(read->model.materials.empty());
  EXPECT_TRUE(read->model.profiles.empty());
  EXPECT_EQ(read->warnings.str(), "");
  EXPECT_EQ(read->lines.forcesLine, 0);
}

}  // namespace
}  // namespace colsec

// Text on the page: bytes of the input that are not UTF-8 become U+FFFD.
// The page of such an input (tests/plot/cases/latin1_title.txt) is pinned
// and checked for well-formed XML with the other pages.

#include <gtest/gtest.h>

#include <string>

#include "plot/Svg.h"

namespace colsec::test {
namespace {

const std::string kReplacement = "\xef\xbf\xbd";

TEST(PageText, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
  struct Row {
    const char* name;
    std::string text;
    std::string escaped;
  };
  const Row rows[] = {
      {"Latin-1 u umlaut", "St\xfctze", "St" + kReplacement + "tze"},
      {"UTF-8 u umlaut passes", "St\xc3\xbctze", "St\xc3\xbctze"},
      {"sequence cut short at the end", "a\xe2\x82", "a" + kReplacement + kReplacement},
      {"stray continuation byte", "\x80<", kReplacement + "&lt;"},
      {"overlong form of '/'", "\xc0\xaf", kReplacement + kReplacement},
      {"U+FFFF, not an XML character", "\xef\xbf\xbf", kReplacement},
      {"four-byte sequence passes", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
  };
  for (const Row& row : rows) EXPECT_EQ(plot::escapeXml(row.text), row.escaped) << row.name;
}

}  // namespace
}  // namespace colsec::test

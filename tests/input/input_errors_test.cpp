// Records whose keywords match but whose values cannot be used. Each one
// stops the run with "FILE:LINE: KEYWORD VALUE: ..." naming the offending
// token; nothing is ever read as 0, since a force read as 0 could let a
// failing verification pass.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "InputTestSupport.h"

namespace colsec {
namespace {

using test::readError;

std::vector<std::string> splitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::string joinWords(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += (line.empty() ? "" : " ") + word;
  return line;
}

// One well-formed record and the names of its tokens after the keyword and
// the shape or law; kind: L label, D double, I int, F flag.
struct RecordTemplate {
  const char* line;
  std::vector<std::pair<const char*, char>> fields;
};

const std::vector<RecordTemplate>& recordTemplates() {
  static const std::vector<std::pair<const char*, char>> profileHead = {{"label before the profile number", 'L'},
                                                                        {"profile number", 'I'},
                                                                        {"label before the material number", 'L'},
                                                                        {"material number", 'I'},
                                                                        {"label before the shape values", 'L'}};
  static const std::vector<std::pair<const char*, char>> materialHead = {{"label before the material number", 'L'},
                                                                         {"material number", 'I'},
                                                                         {"label before the priority", 'L'},
                                                                         {"priority", 'I'},
                                                                         {"label before the law parameters", 'L'}};
  auto with = [](std::vector<std::pair<const char*, char>> head,
                 const std::vector<std::pair<const char*, char>>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  };
  static const std::vector<RecordTemplate> templates = {
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 11 19 27 1",
       with(profileHead, {{"H", 'D'}, {"B", 'D'}, {"ts", 'D'}, {"tg", 'D'}, {"r", 'D'}, {"rotated", 'F'}})},
      {"#PROFILE RECT Nr 2 Mat 1 Dim 400 300 10 15 1",
       with(profileHead, {{"H", 'D'}, {"B", 'D'}, {"t", 'D'}, {"r", 'D'}, {"hollow", 'F'}})},
      {"#PROFILE CIRC Nr 3 Mat 1 Dim -50 75 20 0 0",
       with(profileHead, {{"offsetY", 'D'}, {"offsetZ", 'D'}, {"diameter", 'D'}, {"t", 'D'}, {"hollow", 'D'}})},
      {"#MATERIAL LINEAR Nr 5 Prio 1 P 70000 250 -240 26000 140",
       with(materialHead, {{"E", 'D'}, {"fyt", 'D'}, {"fyc", 'D'}, {"G", 'D'}, {"fys", 'D'}})},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 3 P 210000 355 81000",
       with(materialHead, {{"E", 'D'}, {"fyd", 'D'}, {"G", 'D'}})},
      {"#MATERIAL Steel1992_327b Nr 3 Prio 5 P 200000 435", with(materialHead, {{"E", 'D'}, {"fyd", 'D'}})},
      {"#MATERIAL CONC1992_3171 Nr 2 Prio 1 P 33000 17 0.85 0.002 0.0035 2",
       with(materialHead, {{"E", 'D'}, {"fcd", 'D'}, {"fcdRedF", 'D'}, {"epsC2", 'D'}, {"epsCu2", 'D'}, {"n", 'D'}})},
      {"#MATERIAL CONC1992_3172 Nr 4 Prio 1 P 30000 20 1 0.00175 0.0035",
       with(materialHead, {{"E", 'D'}, {"fcd", 'D'}, {"fcdRedF", 'D'}, {"epsC2", 'D'}, {"epsCu2", 'D'}})},
      {"#FORCEED F -1500000 120000000 -30000000 25000 -40000",
       {{"label before the forces", 'L'}, {"nx", 'D'}, {"my", 'D'}, {"mz", 'D'}, {"qy", 'D'}, {"qz", 'D'}}},
      {"#SETTINGS S 10 0 0 8 20",
       {{"label before the settings", 'L'},
        {"feSize", 'D'},
        {"settingsExtra1", 'D'},
        {"settingsExtra2", 'D'},
        {"angularSubdivisions", 'I'},
        {"offsetSubdivisions", 'I'}}},
  };
  return templates;
}

// The keyword and, for profiles and materials, the shape or law word.
std::size_t headWords(const std::vector<std::string>& words) {
  return words[0] == "#FORCEED" || words[0] == "#SETTINGS" ? 1 : 2;
}

TEST(InputErrorsTest, TemplatesAreWellFormed) {
  for (const RecordTemplate& record : recordTemplates()) {
    const std::vector<std::string> words = splitWords(record.line);
    EXPECT_EQ(words.size(), headWords(words) + record.fields.size()) << record.line;
    // Material 1, for the profile templates.
    EXPECT_EQ(readError("#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435\n" + std::string(record.line) + "\n"),
              "(no error)")
        << record.line;
  }
}

TEST(InputErrorsTest, EveryMissingValueIsNamed) {
  for (const RecordTemplate& record : recordTemplates()) {
    const std::vector<std::string> words = splitWords(record.line);
    const std::size_t head = headWords(words);
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      const std::vector<std::string> truncated(words.begin(), words.begin() + static_cast<long>(head + i));
      const std::string line = joinWords(truncated);
      EXPECT_EQ(readError("// first line\n" + line + "\n"),
                "col.txt:2: " + words[0] + " " + record.fields[i].first + ": missing value")
          << line;
    }
  }
}

TEST(InputErrorsTest, EveryMalformedValueIsNamedWithItsToken) {
  for (const RecordTemplate& record : recordTemplates()) {
    const std::vector<std::string> words = splitWords(record.line);
    const std::size_t head = headWords(words);
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      const char kind = record.fields[i].second;
      if (kind == 'L') continue;  // any token is a label
      std::vector<std::string> changed = words;
      changed[head + i] = "1x";
      const std::string line = joinWords(changed);
      const char* reason = kind == 'D'   ? "is not a number"
                           : kind == 'I' ? "is not an integer"
                                         : "is not a flag (0 or 1)";
      EXPECT_EQ(readError("\n\n" + line),
                "col.txt:3: " + words[0] + " " + record.fields[i].first + ": \"1x\" " + reason)
          << line;
    }
  }
}

struct ErrorCase {
  const char* line;
  const char* message;  // after "col.txt:1: "
};

void expectErrors(const std::vector<ErrorCase>& cases) {
  for (const ErrorCase& c : cases) {
    EXPECT_EQ(readError(std::string(c.line) + "\n"), std::string("col.txt:1: ") + c.message) << c.line;
  }
}

TEST(InputErrorsTest, NumbersMustBeCompleteDecimalNumbers) {
  expectErrors({
      {"#FORCEED F 12a 2 3 4 5", "#FORCEED nx: \"12a\" is not a number"},
      {"#FORCEED F 1 2,5 3 4 5", "#FORCEED my: \"2,5\" is not a number"},
      {"#FORCEED F 1 2 1e400 4 5", "#FORCEED mz: \"1e400\" is out of range"},
      {"#FORCEED F 1 2 3 -1e400 5", "#FORCEED qy: \"-1e400\" is out of range"},
      {"#FORCEED F 1 2 3 inf 5", "#FORCEED qy: \"inf\" is not a number"},
      {"#FORCEED F 1 2 3 4 nan", "#FORCEED qz: \"nan\" is not a number"},
      {"#FORCEED F 1 2 3 4 -NaN", "#FORCEED qz: \"-NaN\" is not a number"},
      {"#FORCEED F 0x10 2 3 4 5", "#FORCEED nx: \"0x10\" is not a number"},
      {"#FORCEED F 1.000,5 2 3 4 5", "#FORCEED nx: \"1.000,5\" is not a number"},
      {"#FORCEED F 1 2 3 4 5kN", "#FORCEED qz: \"5kN\" is not a number"},
      // The token is shown with bytes a terminal would garble escaped.
      {"#FORCEED F 1 2 3 4 5\xC3\xA4", "#FORCEED qz: \"5\\xC3\\xA4\" is not a number"},
      {"#MATERIAL Steel1993_543 Nr 1 Prio 1 P 210000 355,0 81000", "#MATERIAL fyd: \"355,0\" is not a number"},
      {"#MATERIAL CONC1992_3171 Nr 2 Prio 1 P 33000 17 0.85 0.002 0.0035 infinity",
       "#MATERIAL n: \"infinity\" is not a number"},
      {"#PROFILE CIRC Nr 1 Mat 1 Dim 0 0 300 10 abc", "#PROFILE hollow: \"abc\" is not a number"},
      {"#PROFILE CIRC Nr 1 Mat 1 Dim 0 0 300 10 1e400", "#PROFILE hollow: \"1e400\" is out of range"},
      {"#SETTINGS S 10 1e999 0 8 20", "#SETTINGS settingsExtra1: \"1e999\" is out of range"},
  });
}

TEST(InputErrorsTest, IntegersMustBeWholeAndWithin32Bits) {
  expectErrors({
      {"#SETTINGS S 10 0 0 1.5 20", "#SETTINGS angularSubdivisions: \"1.5\" is not an integer"},
      {"#SETTINGS S 10 0 0 8 20.0", "#SETTINGS offsetSubdivisions: \"20.0\" is not an integer"},
      {"#SETTINGS S 10 0 0 8 2e1", "#SETTINGS offsetSubdivisions: \"2e1\" is not an integer"},
      {"#SETTINGS S 10 0 0 8 2147483648", "#SETTINGS offsetSubdivisions: \"2147483648\" is out of range"},
      {"#SETTINGS S 10 0 0 -2147483649 20", "#SETTINGS angularSubdivisions: \"-2147483649\" is out of range"},
      {"#PROFILE RECT Nr 1.5 Mat 1 Dim 400 300 10 15 1", "#PROFILE profile number: \"1.5\" is not an integer"},
      {"#PROFILE RECT Nr 1 Mat 0x1 Dim 400 300 10 15 1", "#PROFILE material number: \"0x1\" is not an integer"},
      {"#PROFILE RECT Nr 1 Mat 4294967297 Dim 400 300 10 15 1",
       "#PROFILE material number: \"4294967297\" is out of range"},
      {"#MATERIAL Steel1992_327b Nr 1,0 Prio 1 P 200000 435", "#MATERIAL material number: \"1,0\" is not an integer"},
      {"#MATERIAL Steel1992_327b Nr 1 Prio 2147483648 P 200000 435",
       "#MATERIAL priority: \"2147483648\" is out of range"},
      {"#MATERIAL Steel1992_327b Nr 1 Prio -2147483649 P 200000 435",
       "#MATERIAL priority: \"-2147483649\" is out of range"},
  });
  // The extremes of 32 bits are fine.
  EXPECT_EQ(readError("#MATERIAL Steel1992_327b Nr 2147483647 Prio -2147483648 P 200000 435\n"), "(no error)");
}

TEST(InputErrorsTest, FlagsAreZeroOrOne) {
  expectErrors({
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 11 19 27 2", "#PROFILE rotated: \"2\" is not a flag (0 or 1)"},
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 11 19 27 -1", "#PROFILE rotated: \"-1\" is not a flag (0 or 1)"},
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 11 19 27 yes", "#PROFILE rotated: \"yes\" is not a flag (0 or 1)"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim 400 300 10 15 1.0", "#PROFILE hollow: \"1.0\" is not a flag (0 or 1)"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim 400 300 10 15 0.5", "#PROFILE hollow: \"0.5\" is not a flag (0 or 1)"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim 400 300 10 15 4294967297",
       "#PROFILE hollow: \"4294967297\" is not a flag (0 or 1)"},
  });
}

TEST(InputErrorsTest, DimensionsMustNotBeNegative) {
  expectErrors({
      {"#PROFILE HEB Nr 1 Mat 1 Dim -300 300 11 19 27 0", "#PROFILE H: \"-300\" must not be negative"},
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 -300 11 19 27 0", "#PROFILE B: \"-300\" must not be negative"},
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 -11 19 27 0", "#PROFILE ts: \"-11\" must not be negative"},
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 11 -19 27 0", "#PROFILE tg: \"-19\" must not be negative"},
      {"#PROFILE HEB Nr 1 Mat 1 Dim 300 300 11 19 -27 0", "#PROFILE r: \"-27\" must not be negative"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim -400 300 10 15 1", "#PROFILE H: \"-400\" must not be negative"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim 400 -0.5 10 15 1", "#PROFILE B: \"-0.5\" must not be negative"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim 400 300 -10 15 1", "#PROFILE t: \"-10\" must not be negative"},
      {"#PROFILE RECT Nr 1 Mat 1 Dim 400 300 10 -1e-9 1", "#PROFILE r: \"-1e-9\" must not be negative"},
      {"#PROFILE CIRC Nr 1 Mat 1 Dim -50 -75 -20 0 0", "#PROFILE diameter: \"-20\" must not be negative"},
      {"#PROFILE CIRC Nr 1 Mat 1 Dim 0 0 300 -10 1", "#PROFILE t: \"-10\" must not be negative"},
  });
  // A solid profile's wall thickness is unused but still a dimension.
  EXPECT_EQ(readError("#PROFILE RECT Nr 1 Mat 1 Dim 400 300 -10 15 0\n"),
            "col.txt:1: #PROFILE t: \"-10\" must not be negative");
}

TEST(InputErrorsTest, ElementSizeMustBePositive) {
  expectErrors({
      {"#SETTINGS S 0 0 0 8 20", "#SETTINGS feSize: \"0\" must be greater than 0"},
      {"#SETTINGS S 0.0 0 0 8 20", "#SETTINGS feSize: \"0.0\" must be greater than 0"},
      {"#SETTINGS S -0 0 0 8 20", "#SETTINGS feSize: \"-0\" must be greater than 0"},
      {"#SETTINGS S -10 0 0 8 20", "#SETTINGS feSize: \"-10\" must be greater than 0"},
      // Too small for a double: as good as 0.
      {"#SETTINGS S 1e-400 0 0 8 20", "#SETTINGS feSize: \"1e-400\" must be greater than 0"},
  });
  EXPECT_EQ(readError("#SETTINGS S 1e-3 0 0 8 20\n"), "(no error)");
}

TEST(InputErrorsTest, ConcreteNeedsANonZeroStrainAtPeakStress) {
  // εc2 divides in both laws: the parabola's (1 − ε/εc2) and the bilinear slope fcd/εc3.
  expectErrors({
      {"#MATERIAL CONC1992_3171 Nr 2 Prio 1 P 33000 17 0.85 0 0.0035 2", "#MATERIAL epsC2: \"0\" must not be 0"},
      {"#MATERIAL CONC1992_3171 Nr 2 Prio 1 P 33000 17 0.85 -0.0 0.0035 2", "#MATERIAL epsC2: \"-0.0\" must not be 0"},
      {"#MATERIAL CONC1992_3172 Nr 2 Prio 1 P 33000 17 0.85 0 0.0035", "#MATERIAL epsC2: \"0\" must not be 0"},
      {"#MATERIAL CONC1992_3172 Nr 2 Prio 1 P 33000 17 0.85 0e0 0.0035", "#MATERIAL epsC2: \"0e0\" must not be 0"},
  });
  // The sign is the law's business, not the reader's.
  EXPECT_EQ(readError("#MATERIAL CONC1992_3171 Nr 2 Prio 1 P 33000 17 0.85 -0.002 0.0035 2\n"), "(no error)");
}

TEST(InputErrorsTest, SubdivisionsAreLimited) {
  expectErrors({
      {"#SETTINGS S 10 0 0 100001 20", "#SETTINGS angularSubdivisions: \"100001\" must not exceed 100000"},
      {"#SETTINGS S 10 0 0 8 100001", "#SETTINGS offsetSubdivisions: \"100001\" must not exceed 100000"},
      {"#SETTINGS S 10 0 0 8 2147483647", "#SETTINGS offsetSubdivisions: \"2147483647\" must not exceed 100000"},
  });
  EXPECT_EQ(readError("#SETTINGS S 10 0 0 100000 100000\n"), "(no error)");
}

TEST(InputErrorsTest, ALineWithoutItsLabelsIsNamedAsSuch) {
  // Short by exactly the labels, with numbers where the labels belong: the
  // values would be taken as labels, so the message says what is missing.
  expectErrors({
      {"#FORCEED 1 2 3 4 5",
       "#FORCEED: the labels are missing (numbers stand where labels belong); the record reads: "
       "#FORCEED <label> nx my mz qy qz"},
      {"#SETTINGS 10 5 0 8 20",
       "#SETTINGS: the labels are missing (numbers stand where labels belong); the record reads: "
       "#SETTINGS <label> feSize settingsExtra1 settingsExtra2 angularSubdivisions offsetSubdivisions"},
      {"#PROFILE RECT 2 1 400 300 10 15 1",
       "#PROFILE: the labels are missing (numbers stand where labels belong); the record reads: "
       "#PROFILE RECT <label> number <label> material <label> H B t r hollow"},
      {"#PROFILE HEB 2 1 300 300 11 19 27 0",
       "#PROFILE: the labels are missing (numbers stand where labels belong); the record reads: "
       "#PROFILE HEB <label> number <label> material <label> H B ts tg r rotated"},
      {"#PROFILE CIRC 2 1 0 0 20 0 0",
       "#PROFILE: the labels are missing (numbers stand where labels belong); the record reads: "
       "#PROFILE CIRC <label> number <label> material <label> offsetY offsetZ diameter t hollow"},
      {"#MATERIAL Steel1993_543 2 2 210000 355 81000",
       "#MATERIAL: the labels are missing (numbers stand where labels belong); the record reads: "
       "#MATERIAL Steel1993_543 <label> number <label> priority <label> E fyd G"},
      {"#MATERIAL Steel1992_327b 3 3 200000 435",
       "#MATERIAL: the labels are missing (numbers stand where labels belong); the record reads: "
       "#MATERIAL Steel1992_327b <label> number <label> priority <label> E fyd"},
      {"#MATERIAL LINEAR 5 0 210000 355 -355 81000 205",
       "#MATERIAL: the labels are missing (numbers stand where labels belong); the record reads: "
       "#MATERIAL LINEAR <label> number <label> priority <label> E fyt fyc G fys"},
      {"#MATERIAL CONC1992_3171 1 1 33000 17 0.85 0.002 0.0035 2",
       "#MATERIAL: the labels are missing (numbers stand where labels belong); the record reads: "
       "#MATERIAL CONC1992_3171 <label> number <label> priority <label> E fcd fcdRedF epsC2 epsCu2 n"},
      {"#MATERIAL CONC1992_3172 1 1 33000 17 0.85 0.002 0.0035",
       "#MATERIAL: the labels are missing (numbers stand where labels belong); the record reads: "
       "#MATERIAL CONC1992_3172 <label> number <label> priority <label> E fcd fcdRedF epsC2 epsCu2"},
  });
}

TEST(InputErrorsTest, AShortLineWithWordsForLabelsMissesAValue) {
  // Not short by exactly the labels, or a word stands where a label
  // belongs: the labels are there and a value is missing.
  expectErrors({
      {"#FORCEED F 1 2 3 4", "#FORCEED qz: missing value"},
      {"#FORCEED 1 2 3 4", "#FORCEED qy: missing value"},
      {"#SETTINGS S 10 5 0 8", "#SETTINGS offsetSubdivisions: missing value"},
      {"#MATERIAL Steel1993_543 Nr 2 2 210000 355", "#MATERIAL E: missing value"},
      {"#MATERIAL Steel1993_543 2 2 210000 355 81000 0", "#MATERIAL fyd: missing value"},
      {"#PROFILE RECT 2 1 400 300 10 15", "#PROFILE B: missing value"},
      // A remark in place of the label is taken for one.
      {"#MATERIAL Steel1993_543 2 2 E=210000 355 81000", "#MATERIAL E: missing value"},
      // Without its label the remark after the values is read as a value.
      {"#FORCEED -1500000 120000000 0 0 0 // kN", "#FORCEED qz: \"//\" is not a number"},
  });
}

TEST(InputErrorsTest, TheFirstBadLineStopsReading) {
  EXPECT_EQ(readError("#FORCEED F 1 2 3 4 5\n"
                      "#FORCEED F 1 2 3 4\n"
                      "#SETTINGS S 0 0 0 8 20\n"),
            "col.txt:2: #FORCEED qz: missing value");
  // A good later line does not excuse a bad earlier one.
  EXPECT_EQ(readError("#SETTINGS S x 0 0 8 20\n"
                      "#SETTINGS S 10 0 0 8 20\n"),
            "col.txt:1: #SETTINGS feSize: \"x\" is not a number");
}

TEST(InputErrorsTest, LineNumbersCountEveryKindOfLineEnd) {
  const std::vector<std::string> lines = {"// header", "", "#MATERIAL Steel1992_327b Nr 1 Prio 1 P 200000 435", "   ",
                                          "#FORCEED F 1 2 3 4 5x"};
  for (const std::string lineEnd : {"\n", "\r\n", "\r"}) {
    for (const bool finalLineEnd : {true, false}) {
      for (const bool byteOrderMark : {false, true}) {
        std::string text = byteOrderMark ? "\xEF\xBB\xBF" : "";
        for (std::size_t i = 0; i < lines.size(); ++i) {
          text += lines[i];
          if (i + 1 < lines.size() || finalLineEnd) text += lineEnd;
        }
        EXPECT_EQ(readError(text), "col.txt:5: #FORCEED qz: \"5x\" is not a number")
            << "line end of " << lineEnd.size() << " byte(s)" << (lineEnd == "\r" ? " (CR)" : "")
            << (finalLineEnd ? "" : ", none at the end") << (byteOrderMark ? ", byte-order mark" : "");
      }
    }
  }
}

TEST(InputErrorsTest, ErrorOnTheFirstLineAfterAByteOrderMark) {
  EXPECT_EQ(readError("\xEF\xBB\xBF#SETTINGS S 10 0 0 8"), "col.txt:1: #SETTINGS offsetSubdivisions: missing value");
}

TEST(InputErrorsTest, MessagesNameTheFileAsGiven) {
  std::istringstream input("\n#FORCEED F 1 2 3 4 z\n");
  std::ostringstream console;
  std::ostringstream warnings;
  SectionModel model(console);
  try {
    readInput(input, model, "../runs/my.dir/column 7.txt", warnings);
    ADD_FAILURE() << "no error";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "../runs/my.dir/column 7.txt:2: #FORCEED qz: \"z\" is not a number");
  }
}

}  // namespace
}  // namespace colsec

#include <gtest/gtest.h>

#include "app/InputPath.h"

namespace colsec {
namespace {

struct PathCase {
  const char* path;
  const char* directory;
  const char* baseName;
};

TEST(InputPathTest, SplitsDirectoryAndBaseName) {
  const PathCase cases[] = {
      {"C:\\data\\col1.txt", "C:\\data\\", "col1"},
      {"col1.txt", "", "col1"},
      {"C:\\data\\col1", "C:\\data\\", "col1"},
      {"C:\\my.dir\\col1", "C:\\my.dir\\", "col1"},
      {"C:\\data\\a.b.txt", "C:\\data\\", "a.b"},
      {"C:\\data\\.txt", "C:\\data\\", ""},
      // Forward slashes separate directories as well, so a dot in a folder
      // name no longer moves the outputs elsewhere.
      {"C:/data/col1.txt", "C:/data/", "col1"},
      {"/home/eng/my.dir/col1", "/home/eng/my.dir/", "col1"},
      {"../runs/a.b.txt", "../runs/", "a.b"},
      {"mixed\\dir/sub\\c.in", "mixed\\dir/sub\\", "c"},
  };
  for (const PathCase& c : cases) {
    const InputPathParts parts = splitInputPath(c.path);
    EXPECT_EQ(parts.directory, c.directory) << c.path;
    EXPECT_EQ(parts.baseName, c.baseName) << c.path;
  }
}

TEST(InputPathTest, JoinsOutputNames) {
  const InputPathParts parts = splitInputPath("C:\\data\\col1.txt");
  EXPECT_EQ(joinStrings(joinStrings(parts.directory, parts.baseName), "_Validation.res"),
            "C:\\data\\col1_Validation.res");
}

struct OutputCase {
  const char* input;
  const char* suffix;
  const char* output;
};

TEST(InputPathTest, OutputsLieBesideTheInputWithoutItsExtension) {
  const OutputCase cases[] = {
      {"col1.txt", "_Plot.html", "col1_Plot.html"},
      {"C:\\data\\col1.txt", ".cclog", "C:\\data\\col1.cclog"},
      {"../runs/a.b.txt", "_Section.res", "../runs/a.b_Section.res"},
      {"/home/eng/my.dir/col1", "_Plot.html", "/home/eng/my.dir/col1_Plot.html"},
      {"C:\\data\\.txt", "_Interaction.res", "C:\\data\\_Interaction.res"},
  };
  for (const OutputCase& c : cases) EXPECT_EQ(outputPath(c.input, c.suffix), c.output) << c.input << " " << c.suffix;
}

}  // namespace
}  // namespace colsec

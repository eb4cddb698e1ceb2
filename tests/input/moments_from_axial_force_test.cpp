// The optional record that declares the design moments to result directly
// from the axial force (EN 1994-1-1 6.7.3.6 (2)).

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "input/InputError.h"
#include "input/InputReader.h"
#include "model/SectionModel.h"

namespace colsec {
namespace {

TEST(MomentsFromAxialForce, FlagIsReadAndRejectsWhatIsNotAFlag) {
  const struct {
    const char* name;
    const char* line;
    bool declared;
    const char* error;
  } cases[] = {
      {"absent", "", false, ""},
      {"declared", "#MOMENTSFROMAXIALFORCE FLAG 1\n", true, ""},
      {"declared not", "#MOMENTSFROMAXIALFORCE FLAG 0\n", false, ""},
      {"not a flag", "#MOMENTSFROMAXIALFORCE FLAG 2\n", false,
       "in.txt:1: #MOMENTSFROMAXIALFORCE flag: \"2\" is not a flag (0 or 1)"},
      {"label missing", "#MOMENTSFROMAXIALFORCE 1\n", false,
       "in.txt:1: #MOMENTSFROMAXIALFORCE: the labels are missing (numbers stand where labels belong); the record "
       "reads: #MOMENTSFROMAXIALFORCE <label> flag"},
      {"typing error", "#MOMENTSFROMAXIALFORSE FLAG 1\n", false,
       "in.txt:1: unknown record \"#MOMENTSFROMAXIALFORSE\"; did you mean #MOMENTSFROMAXIALFORCE?"},
  };
  for (const auto& c : cases) {
    std::ostringstream console;
    SectionModel model(console);
    std::istringstream input(c.line);
    std::ostringstream warnings;
    std::string error;
    try {
      readInput(input, model, "in.txt", warnings);
    } catch (const InputError& e) {
      error = e.what();
    }
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_EQ(model.momentsFromAxialForce, c.declared) << c.name;
  }
}

}  // namespace
}  // namespace colsec

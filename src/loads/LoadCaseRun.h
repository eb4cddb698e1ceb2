#pragma once
// Every load combination of a column against one section, in parallel.
// The section is read and discretised once; the shear analysis runs once
// per distinct pair of shear forces, the plastic sweeps once per shear
// pair and quadrant of the moments; each combination then gets exactly the
// strain state, checks, methods and design check that a single run with
// its forces gives.

#include <functional>
#include <string>
#include <vector>

#include "loads/LoadTable.h"
#include "model/Member.h"
#include "model/Results.h"

namespace colsec {

class SectionModel;

// What the table of combinations shows of one combination.
struct CombinationOutcome {
  LoadCombination combination;
  bool shearConverged = false;
  bool axialConverged = false;
  StrainFallbackResult fallback;
  bool generalVerified = false;
  bool simplifiedComputed = false;
  bool simplifiedOk = false;
  DesignCheck designCheck;
  // The member check with this combination's forces (its own NEd, k and
  // second-order moments); computed only with a "#MEMBER" record.
  MemberResult member;
  // The design check's governing utilisation; NaN when it failed without a
  // number, 0 when it has no item that is not a warning.
  double utilisation = 0.0;
  // Whatever the caller's view made of the combination's whole model.
  std::string view;
};

struct LoadCaseResults {
  std::vector<CombinationOutcome> outcomes;  // in table order
  int governing = -1;                        // highest utilisation, NaN first, first of equals
  int shearStates = 0;                       // distinct shear pairs analysed
};

struct LoadCaseOptions {
  double tolerance = 0.0001;  // of the solvers, kN and kNm
  int threads = 1;
  // Called on the worker thread with each combination's complete model.
  std::function<std::string(const SectionModel&)> view;
  // Called under a lock after each combination: done, total.
  std::function<void(int, int)> progress;
};

// inputText: the input file's content (its design forces are not used);
// inputPath names it in messages. Throws InputError for a bad input.
LoadCaseResults runLoadCases(const std::string& inputText, const std::string& inputPath,
                             const std::vector<LoadCombination>& combinations, const LoadCaseOptions& options);

// Index of the combination with the highest utilisation: a NaN (failed
// without a number) first, the first of equals; -1 for none.
int governingCombination(const std::vector<CombinationOutcome>& outcomes);

}  // namespace colsec

// Every combination of a table gets exactly what a single run with its
// forces gives, whatever the number of threads.

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/ElementResults.h"
#include "loads/LoadCaseRun.h"
#include "model/SectionModel.h"
#include "report/Reports.h"
#include "support/InMemoryRun.h"
#include "support/TestSupport.h"

namespace colsec {
namespace {

constexpr const char* kSection =
    "// encased HEB 300 with four bars\n"
    "#MATERIAL CONC1992_3171 NR 1 PRIO 1 PAR 33000 17 1.0 0.002 0.0035 2\n"
    "#MATERIAL Steel1993_543 NR 2 PRIO 2 PAR 210000 355 81000\n"
    "#MATERIAL Steel1992_327b NR 3 PRIO 3 PAR 200000 435\n"
    "#PROFILE RECT NR 1 MAT 1 DIM 500 500 0 0 0\n"
    "#PROFILE HEB NR 2 MAT 2 DIM 300 300 11 19 27 0\n"
    "#PROFILE CIRC NR 3 MAT 3 DIM 188 188 25 0 0\n"
    "#PROFILE CIRC NR 4 MAT 3 DIM -188 188 25 0 0\n"
    "#PROFILE CIRC NR 5 MAT 3 DIM -188 -188 25 0 0\n"
    "#PROFILE CIRC NR 6 MAT 3 DIM 188 -188 25 0 0\n"
    "#FORCEED FED 1 2 3 4 5\n"
    "#SETTINGS SET 12 0 0 7 40\n";

// The N-My and N-Mz curves of a table's model: a surface read at few axial
// forces holds the moments only of the points the methods read there.
struct CurveMask {
  const InteractionCurve* nMy = nullptr;
  const InteractionCurve* nMz = nullptr;
};

// Everything a run stores, numbers at full precision, and the text of the
// report and the element list. The moments of the N-M curves are printed
// where the mask has them (every point without a mask).
std::string everything(const SectionModel& m, CurveMask mask = {}) {
  std::ostringstream out;
  out << std::setprecision(17);
  const auto forces = [&](const SectionForces& f) { out << f.nx << " " << f.my << " " << f.mz << " " << f.qy << " " << f.qz << "\n"; };
  forces(m.designForces);
  forces(m.resultForces);
  out << m.strainState.epsX << " " << m.strainState.kappaY << " " << m.strainState.kappaZ << "\n";
  out << m.shearConverged << m.axialConverged << m.stressesWithinLimits << m.strainsWithinLimits << "\n";
  out << m.mPlYRd << " " << m.mPlZRd << " " << m.nPlRdMax << " " << m.nPlRdMin << " " << m.mdy << " " << m.mdz << " "
      << m.qPlRdY << " " << m.qPlRdZ << "\n";
  const InteractionCurve* masks[] = {mask.nMy, mask.nMz, nullptr, nullptr};
  const InteractionCurve* curves[] = {&m.curveNMy, &m.curveNMz, &m.curveMyMzN0, &m.curveMyMz};
  for (int k = 0; k < 4; ++k) {
    for (std::size_t j = 0; j < curves[k]->size(); ++j) {
      const CurvePoint& p = (*curves[k])[j];
      out << p.nx;
      const bool read = masks[k] == nullptr || (j < masks[k]->size() && !std::isnan((*masks[k])[j].my));
      if (read) out << " " << p.my << " " << p.mz;
      out << ";";
    }
    out << "\n";
  }
  for (const DesignCheckItem& i : m.designCheck.items) {
    out << i.clause << "|" << i.what << "|" << i.value << "|" << i.limit << "|" << i.utilisation << "|" << i.ok
        << i.warning << "\n";
  }
  out << m.designCheck.verdict << " " << m.designCheck.governing << "\n";
  writeGeneralMethodReport(out, m);
  if (m.simplifiedMethod.computed) writeSimplifiedMethodReport(out, m);
  std::ostringstream console;
  writeElementResults(out, m.elements, console);
  return out.str();
}

std::string withForces(const SectionForces& f) {
  std::ostringstream text;
  text << std::setprecision(17) << kSection << "#FORCEED FED " << f.nx << " " << f.my << " " << f.mz << " " << f.qy
       << " " << f.qz << "\n";
  return text.str();
}

const std::vector<LoadCombination> kCombinations = {
    {"moderate", {-3000e3, 150e6, 50e6, 20e3, 50e3}, 2},
    {"negative moments", {-2000e3, -300e6, -120e6, 20e3, 50e3}, 3},
    {"zero forces", {0, 0, 0, 0, 0}, 4},
    {"beyond the resistance", {-12000e3, 900e6, 600e6, 0, 0}, 5},
    {"other shear", {-3000e3, 150e6, -50e6, 300e3, -100e3}, 6},
    {"tension", {1500e3, 100e6, 0, 20e3, 50e3}, 7},
};

// The table's own view: its curves masked by themselves, and kept to mask
// the single runs alike.
struct TableView {
  std::mutex lock;
  std::map<std::string, std::pair<InteractionCurve, InteractionCurve>> curves;  // by the view's first line

  std::string operator()(const SectionModel& m) {
    const std::string text = everything(m, {&m.curveNMy, &m.curveNMz});
    const std::lock_guard<std::mutex> hold(lock);
    curves[text.substr(0, text.find('\n'))] = {m.curveNMy, m.curveNMz};
    return text;
  }
  CurveMask maskFor(const std::string& view) {
    const auto& kept = curves.at(view.substr(0, view.find('\n')));
    return {&kept.first, &kept.second};
  }
};

TEST(LoadCaseRun, EveryCombinationEqualsItsSingleRun) {
  TableView view;
  LoadCaseOptions options;
  options.threads = 2;
  options.view = [&view](const SectionModel& m) { return view(m); };
  const LoadCaseResults results = runLoadCases(kSection, "section.txt", kCombinations, options);
  ASSERT_EQ(results.outcomes.size(), kCombinations.size());
  EXPECT_EQ(results.shearStates, 3);  // (20, 50) kN three times, (0, 0) twice, (300, -100) once
  for (std::size_t c = 0; c < kCombinations.size(); ++c) {
    const auto single = test::analyseText(withForces(kCombinations[c].forces));
    const std::string expected = everything(single->model, view.maskFor(results.outcomes[c].view));
    const std::string& actual = results.outcomes[c].view;
    EXPECT_EQ(actual, expected) << kCombinations[c].name << ": " << test::firstDifference(expected, actual);
    EXPECT_EQ(results.outcomes[c].generalVerified, single->model.generalMethod.verified) << kCombinations[c].name;
    EXPECT_EQ(results.outcomes[c].designCheck.verdict, single->model.designCheck.verdict) << kCombinations[c].name;
  }
}

TEST(LoadCaseRun, ResultsDoNotDependOnTheNumberOfThreads) {
  LoadCaseOptions options;
  options.view = [](const SectionModel& m) { return everything(m); };
  options.threads = 1;
  const LoadCaseResults one = runLoadCases(kSection, "section.txt", kCombinations, options);
  options.threads = 3;
  const LoadCaseResults three = runLoadCases(kSection, "section.txt", kCombinations, options);
  for (std::size_t c = 0; c < kCombinations.size(); ++c) {
    EXPECT_EQ(one.outcomes[c].view, three.outcomes[c].view) << kCombinations[c].name;
  }
  EXPECT_EQ(one.governing, three.governing);
}

}  // namespace
}  // namespace colsec

// Phase timings of the analysis on generated sections: an HEB 400 encased
// in a 600 x 600 concrete rectangle with eight bars, refined to about 10
// thousand, 100 thousand and 1 million elements. Each size runs in its own
// process so that its peak memory is its own. The shipped path is timed
// side by side with a plain reference path (one accumulator per sum, one
// virtual material call per element and operation, stream formatting).
//
// usage: colsec_bench [ELEMENTS ...]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/LargePages.h"
#include "analysis/ElementResults.h"
#include "analysis/SectionSums.h"
#include "analysis/Solvers.h"
#include "app/AnalysisJob.h"
#include "input/InputReader.h"
#include "interaction/InteractionCurves.h"
#include "interaction/PlasticSweep.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"

namespace colsec {
namespace {

constexpr int kAngles = 30;
constexpr int kOffsets = 100;
constexpr double kTolerance = 0.0001;

std::string sectionInput(double feSize, const char* forces) {
  std::ostringstream text;
  text << "#MATERIAL Steel1993_543 Nr 1 Prio 2 E 210000 355 81000\n"
          "#MATERIAL CONC1992_3171 Nr 2 Prio 1 E 33000 17 0.85 0.002 0.0035 2\n"
          "#MATERIAL Steel1992_327b Nr 3 Prio 3 E 200000 435\n"
          "#PROFILE HEB Pos 1 Mat 1 Dim 400 300 13.5 24 27 0\n"
          "#PROFILE RECT Pos 2 Mat 2 Dim 600 600 0 0 0\n";
  const double bars[8][2] = {{250, 250}, {-250, 250}, {250, -250}, {-250, -250},
                             {0, 250},   {0, -250},   {250, 0},    {-250, 0}};
  for (int i = 0; i < 8; ++i) {
    text << "#PROFILE CIRC Pos " << 3 + i << " Mat 3 Dim " << bars[i][0] << " " << bars[i][1] << " 25 0 0\n";
  }
  text << "#FORCEED F " << forces << "\n";
  text << "#SETTINGS S " << feSize << " 0 0 " << kAngles << " " << kOffsets << "\n";
  return text.str();
}

constexpr const char* kConverging = "-3000000 150000000 50000000 50000 200000";
constexpr const char* kBeyondResistance = "-20000000 150000000 50000000 50000 200000";

void readModel(SectionModel& model, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream warnings;
  readInput(in, model, "bench.txt", warnings);
  model.pruneMaterials();
}

// The element size that gives about `target` covered cells.
double elementSizeFor(double target) {
  std::ostringstream console;
  double lo = 0.05;
  double hi = 60.0;
  for (int step = 0; step < 60; ++step) {
    const double mid = std::sqrt(lo * hi);
    SectionModel model(console);
    readModel(model, sectionInput(mid, kConverging));
    const GridSize grid = countSectionGrid(model);
    const double cells = grid.y * grid.z;
    (cells > target ? lo : hi) = mid;
  }
  return hi;
}

double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of several runs of a short phase, so that small sections are
// not measured by a single cold pass.
double bestSeconds(int repeats, const std::function<void()>& work) {
  double best = seconds(work);
  for (int r = 1; r < repeats; ++r) best = std::min(best, seconds(work));
  return best;
}

long peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss * 1024L;
}

// Reference strain solver: two plain section sums per iteration, then the
// element states and the effective stiffnesses as the shipped solver does.
int plainStressIterations(SectionModel& model) {
  StrainState state;
  ForceTriple residual{model.designForces.nx, model.designForces.my, model.designForces.mz};
  SectionStiffness stiffness;
  for (int i = 1;; ++i) {
    const SectionStiffness t = sectionTangentStiffness(model.elements, state);
    if (t.EAx != 0.0) stiffness.EAx = t.EAx;
    if (t.EIy != 0.0) stiffness.EIy = t.EIy;
    if (t.EIz != 0.0) stiffness.EIz = t.EIz;
    if (stiffness.EAx != 0.0) state.epsX += residual.nx / stiffness.EAx;
    if (stiffness.EIy != 0.0) state.kappaY += residual.my / stiffness.EIy;
    if (stiffness.EIz != 0.0) state.kappaZ += residual.mz / stiffness.EIz;
    const ForceTriple f = sectionInternalForces(model.elements, state);
    residual = {model.designForces.nx - f.nx, model.designForces.my - f.my, model.designForces.mz - f.mz};
    const bool ok = 100 >= std::fabs(residual.my) && 100 >= std::fabs(residual.mz) && 0.1 >= std::fabs(residual.nx);
    if (i == kStrainIterationLimit || ok) {
      for (Element& e : model.elements) {
        e.epsX = e.strainAt(state);
        e.sigX = e.stress(QueryValue, e.epsX);
      }
      model.stiffnessEff = sectionEffectiveStiffness(model.elements);
      model.stiffnessEffII = sectionEffectiveStiffnessII(model.elements);
      return i;
    }
  }
}

// Reference element list: one stream insertion per field.
void plainElementList(std::ostream& stream, const std::vector<Element>& elements) {
  stream << "//Elements\n";
  for (const Element& e : elements) {
    stream << "#ELEMENT PROF: " << e.profileNumber << " POS: " << e.posY << " " << e.posZ << " DIM: " << e.dimY << " "
           << e.dimZ << " EPSx: " << e.epsX << " sigX/tauY/Z: " << e.sigX << " " << e.tauY << " " << e.tauZ << "\n";
  }
}

void row(const char* phase, double shipped, double plain, double units, const char* unit) {
  std::printf("  %-34s %10.1f ms  %9.3f %-22s", phase, shipped * 1e3, shipped / units * 1e9, unit);
  if (plain > 0) std::printf("  plain %9.3f  speed-up %5.2fx", plain / units * 1e9, plain / shipped);
  std::printf("\n");
}

void benchmarkSize(double target) {
  const double feSize = elementSizeFor(target);
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("colsec-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string inputPath = (dir / "section.txt").string();
  std::ofstream(inputPath) << sectionInput(feSize, kConverging);

  // The whole run first, so that the peak memory is that of a real run.
  std::ostringstream runConsole;
  std::ostringstream runDiagnostics;
  const double wholeRun = seconds([&] {
    AnalysisJob job(inputPath, runConsole, runDiagnostics);
    job.run();
  });
  const long peak = peakBytes();

  std::ostringstream console;
  SectionModel model(console);
  readModel(model, sectionInput(feSize, kConverging));
  const double tDiscretise = seconds([&] { discretise(model); });
  const double n = static_cast<double>(model.elements.size());
  // Short phases are repeated on small sections.
  const int repeats = std::max(1, static_cast<int>(300000 / n));
  std::printf("%.0f elements (element size %.4g mm), %d angles x %d offsets\n", n, feSize, kAngles, kOffsets);
  row("discretisation", tDiscretise, 0, n, "ns/element");
  const double tShear = seconds([&] { runShearAnalysis(model, kTolerance, console); });
  row("shear analysis", tShear, 0, n, "ns/element");
  updateElementResistances(model.elements);

  double sink = 0.0;
  for (const char* forces : {kConverging, kBeyondResistance}) {
    std::istringstream line(forces);
    line >> model.designForces.nx >> model.designForces.my >> model.designForces.mz;
    std::ostringstream log;
    const double tSolve = bestSeconds(repeats, [&] {
      log.str("");
      runStressAnalysis(model, kTolerance, log, console);
    });
    int iterations = 0;
    const std::string text = log.str();
    for (char c : text) iterations += c == '\n';
    iterations /= 2;
    int plainIterations = 0;
    const double tPlain = bestSeconds(repeats, [&] { plainIterations = plainStressIterations(model); });
    const std::string label = std::string("strain solver, ") + std::to_string(iterations) + " iterations";
    row(label.c_str(), tSolve, tPlain * iterations / plainIterations, n * iterations, "ns/element/iteration");
    // Bare cost of the laws at the states the solver reached: stress and
    // tangent once per element, one virtual call each.
    const double tBare = bestSeconds(repeats + 2, [&] {
      for (const Element& e : model.elements) {
        sink += e.material->stressQuery(QueryValue, e.epsX, e.tauComb) + e.material->tangentModulus(e.epsX, e.tauComb);
      }
    });
    row("  material laws alone (stress+tangent)", tBare, 0, n, "ns/element");
    std::printf("  %-34s %27.2f x the bare law cost\n", "  solver per iteration", (tSolve / (n * iterations)) / (tBare / n));
  }

  model.settings.angularSubdivisions = kAngles;
  model.settings.offsetSubdivisions = kOffsets;
  std::ostringstream curves;
  const double tSweep = bestSeconds(repeats, [&] {
    model.surfaceCurves.clear();
    curves.str("");
    computeInteractionCurves(model, curves, console, false);
  });
  const double points = static_cast<double>(kOffsets) * (kAngles + 2);
  // The plain sweep on two curves, scaled to the same number of points.
  const double tPlainSweep = seconds([&] {
    for (double alpha : {0.3, 1.1}) sink += sweepCurve(model, alpha, -400, 400, kOffsets).front().nx;
  });
  row("interaction sweep", tSweep, tPlainSweep * (kAngles + 2) / 2, n * points, "ns/element/point");

  const std::string listPath = (dir / "list.res").string();
  const double tWrite = bestSeconds(repeats, [&] {
    std::ofstream out(listPath, std::ios::binary);
    writeElementResults(out, model.elements, console);
  });
  const double tPlainWrite = bestSeconds(repeats, [&] {
    std::ofstream out(listPath, std::ios::binary);
    plainElementList(out, model.elements);
  });
  row("element list", tWrite, tPlainWrite, n, "ns/line");

  row("whole run (end to end)", wholeRun, 0, n, "ns/element");
  std::printf("  %-34s %10.1f MB   %9.1f bytes/element\n\n", "peak memory", peak / 1e6, peak / n);
  if (sink == 12345.678) std::printf("!\n");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace colsec

int main(int argc, char** argv) {
  colsec::useLargePages();
  std::vector<double> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atof(argv[i]));
  if (sizes.empty()) sizes = {1e4, 1e5, 1e6};
  for (double size : sizes) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      colsec::benchmarkSize(size);
      std::fflush(stdout);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  }
  return 0;
}

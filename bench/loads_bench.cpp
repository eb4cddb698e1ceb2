// Load combinations against one section: the table run (section
// discretised once, shear states and sweeps shared, combinations in
// parallel) side by side with the ordinary single run of colsec repeated
// per combination (a sample of processes, extrapolated), and the table on
// one thread against all threads. Section: the composite column of the
// performance notes (HEB 200 in 400 × 400 concrete with four bars) at
// about 10 000 elements, 19 angles × 100 offsets.
//
// usage: colsec_loads_bench [COMBINATIONS [SAMPLE]]

#include <sys/wait.h>
#include <unistd.h>

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
#include "loads/LoadCaseRun.h"
#include "loads/LoadTable.h"
#include "model/ParallelFor.h"

namespace colsec {
namespace {

std::string sectionInput(double feSize) {
  std::ostringstream text;
  text << "#MATERIAL CONC1992_3171  NR 1 PRIO 1 PAR 33000 17 1.0 0.002 0.0035 2\n"
          "#MATERIAL Steel1993_543  NR 2 PRIO 2 PAR 210000 355 81000\n"
          "#MATERIAL Steel1992_327b NR 3 PRIO 3 PAR 200000 434.78\n"
          "#PROFILE RECT NR 1 MAT 1 DIM 400 400 0 0 0\n"
          "#PROFILE HEB  NR 2 MAT 2 DIM 200 200 9 15 0 0\n"
          "#PROFILE CIRC NR 3 MAT 3 DIM  150  150 20 0 0\n"
          "#PROFILE CIRC NR 4 MAT 3 DIM -150  150 20 0 0\n"
          "#PROFILE CIRC NR 5 MAT 3 DIM -150 -150 20 0 0\n"
          "#PROFILE CIRC NR 6 MAT 3 DIM  150 -150 20 0 0\n"
          "#FORCEED FED -1737000 110670000 36890000 0 0\n"
          "#SETTINGS SET "
       << feSize << " 0 0 19 100\n";
  return text.str();
}

// Realistic combinations: compression between 500 and 3500 kN, moments of
// either sign up to 180 and 90 kNm; one in ten with shear forces of its own.
std::vector<LoadCombination> combinations(int count) {
  std::vector<LoadCombination> table;
  unsigned state = 12345;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / 16777216.0;
  };
  for (int i = 0; i < count; ++i) {
    LoadCombination c;
    c.name = "LC" + std::to_string(i + 1);
    c.line = i + 2;
    const int shearGroup = i % 10 == 0 ? i : 0;
    c.forces = {-(500e3 + 3000e3 * next()), (next() * 2 - 1) * 180e6, (next() * 2 - 1) * 90e6,
                20e3 + shearGroup * 10.0, 40e3 + shearGroup * 5.0};
    table.push_back(c);
  }
  return table;
}

double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One ordinary run of the colsec program on a file with these forces.
void singleRun(const std::filesystem::path& folder, const std::string& section, const SectionForces& f) {
  std::ostringstream text;
  text.precision(17);
  text << section << "#FORCEED FED " << f.nx << " " << f.my << " " << f.mz << " " << f.qy << " " << f.qz << "\n";
  const std::filesystem::path input = folder / "single.txt";
  std::ofstream(input) << text.str();
  const pid_t child = ::fork();
  if (child == 0) {
    if (!std::freopen("/dev/null", "w", stdout)) ::_exit(127);
    ::execl(COLSEC_BINARY, COLSEC_BINARY, input.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "single run failed\n";
    std::exit(1);
  }
}

}  // namespace
}  // namespace colsec

int main(int argc, char** argv) {
  colsec::useLargePages();
  using namespace colsec;
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int sample = argc > 2 ? std::atoi(argv[2]) : 20;
  const std::string section = sectionInput(3.9);
  const std::vector<LoadCombination> table = combinations(count);

  LoadCaseOptions options;
  options.threads = 1;
  LoadCaseResults one;
  const double oneThread = seconds([&] { one = runLoadCases(section, "bench.txt", table, options); });
  options.threads = hardwareThreads();
  LoadCaseResults all;
  const double allThreads = seconds([&] { all = runLoadCases(section, "bench.txt", table, options); });
  bool same = one.governing == all.governing;
  for (std::size_t i = 0; i < table.size(); ++i) {
    same = same && one.outcomes[i].utilisation == all.outcomes[i].utilisation;
  }

  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("colsec-loads-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  // Strip the input's own forces: the single runs append theirs.
  std::string plain = section.substr(0, section.find("#FORCEED"));
  plain += section.substr(section.find("#SETTINGS"));
  const double sampled = seconds([&] {
    for (int i = 0; i < sample; ++i) singleRun(folder, plain, table[static_cast<std::size_t>(i) * table.size() / sample].forces);
  });
  std::filesystem::remove_all(folder);
  const double perSingle = sampled / sample;

  std::printf("combinations %d, distinct shear pairs %d\n", count, one.shearStates);
  std::printf("single runs of colsec: %.4f s each (sample of %d) -> %.2f s for the table\n", perSingle, sample,
              perSingle * count);
  std::printf("table, 1 thread:  %.3f s  (%.1f x the single runs)\n", oneThread, perSingle * count / oneThread);
  std::printf("table, %d threads: %.3f s  (%.1f x the single runs, %.2f x one thread)\n", hardwareThreads(),
              allThreads, perSingle * count / allThreads, oneThread / allThreads);
  std::printf("results equal on 1 and %d threads: %s\n", hardwareThreads(), same ? "yes" : "NO");
  return same ? 0 : 1;
}

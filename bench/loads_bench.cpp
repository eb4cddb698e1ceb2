// Load combinations against one section: the table run (section
// discretised once, shear states and sweeps shared, combinations in
// parallel) side by side with the ordinary single run of colsec repeated
// per combination (a sample of processes, extrapolated), and the table on
// one thread against all threads. Section: the composite column of the
// performance notes (HEB 200 in 400 × 400 concrete with four bars) at
// about 10 000 elements, 19 angles × 100 offsets.
//
// usage: colsec_loads_bench [COMBINATIONS [SAMPLE [ROUNDS [member]]]]

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
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

// Best and median of a series of seconds.
struct Series {
  std::vector<double> values;
  double best() const { return *std::min_element(values.begin(), values.end()); }
  double median() const {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
};

int main(int argc, char** argv) {
  colsec::useLargePages();
  using namespace colsec;
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int sample = argc > 2 ? std::atoi(argv[2]) : 20;
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  if (count < 1 || sample < 1 || rounds < 1) {
    std::cerr << "usage: colsec_loads_bench [COMBINATIONS [SAMPLE [ROUNDS [member]]]]\n";
    return 2;
  }
  // "member" as the fourth argument: every run checks the column as a 4 m
  // member too (EN 1994-1-1 6.7.3.3 to 6.7.3.5).
  const bool member = argc > 4 && std::string(argv[4]) == "member";
  const std::string section =
      sectionInput(3.9) + (member ? "#MEMBER LEN 4000 LCR 4000 4000 RATIO 0 0 CREEP 2 0.6\n" : "");
  const std::vector<LoadCombination> table = combinations(count);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("colsec-loads-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  // Strip the input's own forces: the single runs append theirs.
  std::string plain = section.substr(0, section.find("#FORCEED"));
  plain += section.substr(section.find("#SETTINGS"));

  // The shared machine's speed drifts: the three measurements alternate,
  // round by round, and each is summarised by its best and its median.
  Series oneThread, allThreads, perSingle;
  bool same = true;
  int shearStates = 0;
  for (int round = 0; round < rounds; ++round) {
    LoadCaseOptions options;
    options.threads = 1;
    LoadCaseResults one;
    oneThread.values.push_back(seconds([&] { one = runLoadCases(section, "bench.txt", table, options); }));
    options.threads = hardwareThreads();
    LoadCaseResults all;
    allThreads.values.push_back(seconds([&] { all = runLoadCases(section, "bench.txt", table, options); }));
    same = same && one.governing == all.governing;
    for (std::size_t i = 0; i < table.size(); ++i) {
      same = same && std::bit_cast<std::uint64_t>(one.outcomes[i].utilisation) ==
                         std::bit_cast<std::uint64_t>(all.outcomes[i].utilisation);
    }
    shearStates = one.shearStates;
    perSingle.values.push_back(seconds([&] {
      for (int i = 0; i < sample; ++i) {
        const std::size_t pick = static_cast<std::size_t>(i) * table.size() / static_cast<std::size_t>(sample);
        singleRun(folder, plain, table[pick].forces);
      }
    }) / sample);
  }
  std::filesystem::remove_all(folder);

  const auto line = [&](const char* what, const Series& series, const Series* reference) {
    std::printf("%-22s best %8.4f s  median %8.4f s", what, series.best(), series.median());
    if (reference != nullptr) {
      std::printf("  (%.1f x / %.1f x the single runs)", reference->best() * count / series.best(),
                  reference->median() * count / series.median());
    }
    std::printf("\n");
  };
  std::printf("combinations %d, distinct shear pairs %d, %d rounds, single runs sampled %d per round\n", count,
              shearStates, rounds, sample);
  line("single run of colsec", perSingle, nullptr);
  std::printf("%-22s best %8.2f s  median %8.2f s  (extrapolated)\n", "single runs, table", perSingle.best() * count,
              perSingle.median() * count);
  line("table, 1 thread", oneThread, &perSingle);
  char label[32];
  std::snprintf(label, sizeof label, "table, %d threads", hardwareThreads());
  line(label, allThreads, &perSingle);
  std::printf("%d threads against 1: best %.2f x, median %.2f x\n", hardwareThreads(),
              oneThread.best() / allThreads.best(), oneThread.median() / allThreads.median());
  std::printf("results equal on 1 and %d threads: %s\n", hardwareThreads(), same ? "yes" : "NO");
  return same ? 0 : 1;
}

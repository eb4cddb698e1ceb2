#pragma once
// A run over a table of load combinations: every combination against the
// section of the input, then the table of results, the full results of
// every combination, and the four result files (and, on request, the
// JSON result) of the governing combination, so that its report
// documents the decisive case.

#include <iosfwd>
#include <string>

namespace colsec {

struct LoadCaseJobOptions {
  bool jsonResult = false;  // also "_Result.json" of the governing combination
  int threads = 1;
  bool terminal = false;  // progress is shown in place
};

class LoadCaseJob {
 public:
  // console receives the progress and the table, diagnostics the warnings;
  // both must outlive the job.
  LoadCaseJob(std::string inputPath, std::string loadsPath, std::ostream& console, std::ostream& diagnostics,
              const LoadCaseJobOptions& options);

  // Throws InputError for the input or the table before any file is
  // touched, OutputError when a file cannot be written.
  void run();

 private:
  const std::string inputPath_;
  const std::string loadsPath_;
  std::ostream& console_;
  std::ostream& diagnostics_;
  const LoadCaseJobOptions options_;
};

}  // namespace colsec

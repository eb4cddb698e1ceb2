#include "app/LoadCaseJob.h"

#include <ostream>
#include <sstream>

#include "app/AnalysisJob.h"
#include "app/InputPath.h"
#include "app/OutputFile.h"
#include "app/SectionInput.h"
#include "input/InputError.h"
#include "loads/LoadCaseRun.h"
#include "loads/LoadCaseTables.h"
#include "loads/LoadTable.h"
#include "model/SectionModel.h"
#include "report/JsonResult.h"
#include "report/JsonWriter.h"

namespace colsec {

namespace {

// Interrupt slots after the five of the governing run's files.
constexpr int kCsvSlot = 5;
constexpr int kJsonSlot = 6;

std::string loadCasesJson(const LoadCaseResults& results, const std::string& inputPath, const std::string& loadsPath) {
  std::ostringstream text;
  JsonWriter json(text);
  json.beginObject();
  json.field("format", "colsec-load-cases");
  json.field("schemaVersion", kJsonResultSchemaVersion);
  writeProgram(json);
  json.field("input", inputPath);
  json.field("loads", loadsPath);
  json.key("governing");
  if (results.governing < 0) {
    json.null();
  } else {
    json.value(static_cast<std::int32_t>(results.governing));
  }
  json.key("combinations");
  json.beginArray();
  for (const CombinationOutcome& outcome : results.outcomes) {
    json.beginObject();
    json.field("name", outcome.combination.name);
    json.field("line", static_cast<std::int32_t>(outcome.combination.line));
    json.key("result");
    json.rawValue(outcome.view);
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.finish();
  return text.str();
}

}  // namespace

LoadCaseJob::LoadCaseJob(std::string inputPath, std::string loadsPath, std::ostream& console,
                         std::ostream& diagnostics, const LoadCaseJobOptions& options)
    : inputPath_(std::move(inputPath)),
      loadsPath_(std::move(loadsPath)),
      console_(console),
      diagnostics_(diagnostics),
      options_(options) {}

void LoadCaseJob::run() {
  // The input is read once: every combination and the governing run are
  // analysed from this text. It is checked (and its warnings shown) once,
  // as for a single run.
  const std::string inputText = readInputText(inputPath_);
  {
    std::ostream discard(nullptr);
    SectionModel checked(discard);
    readSectionText(inputText, inputPath_, checked, diagnostics_);
  }
  std::vector<LoadCombination> table;
  {
    std::istringstream loads(readTextFile(loadsPath_, "load table"));
    table = readLoadTable(loads, loadsPath_);
  }

  LoadCaseOptions options;
  options.threads = options_.threads;
  const std::string inputPath = inputPath_;
  options.view = [&inputPath](const SectionModel& model) {
    std::ostringstream text;
    writeJsonResult(text, model, inputPath);
    return text.str();
  };
  if (options_.terminal) {
    options.progress = [this](int done, int total) {
      console_ << "\rLoad combinations: " << done << " of " << total << std::flush;
    };
  }
  const LoadCaseResults results = runLoadCases(inputText, inputPath_, table, options);
  if (options_.terminal) console_ << "\n";

  // The governing combination as an ordinary run: its report and files.
  std::ostream quiet(nullptr);
  AnalysisJob governing(inputPath_, quiet, quiet, options_.jsonResult);
  governing.overrideDesignForces(results.outcomes[results.governing].combination.forces);
  governing.useInputText(inputText);
  governing.setThreads(options_.threads);
  governing.run();

  std::ostringstream csv;
  writeLoadCaseCsv(csv, results);
  writeFileAtomically(outputPath(inputPath_, kLoadCasesCsvSuffix), csv.str(), kCsvSlot);
  writeFileAtomically(outputPath(inputPath_, kLoadCasesJsonSuffix), loadCasesJson(results, inputPath_, loadsPath_),
                      kJsonSlot);

  writeLoadCaseConsoleTable(console_, results);
  console_ << "Report of the governing combination: " << governing.outputPath(3) << "\n";
}

}  // namespace colsec

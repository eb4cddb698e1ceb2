#pragma once
// The machine-readable result of a run: every number of the verification
// report and the design check, as one JSON document (docs/result-json.md).
// Only reads the model. Values are in the model's own units (N, Nmm, mm,
// N/mm²), at full precision; NaN and infinities are written as null.

#include <iosfwd>
#include <string_view>

namespace colsec {

class SectionModel;

// Version of the document's layout; raised when a member changes meaning
// or is removed (adding members does not raise it).
inline constexpr int kJsonResultSchemaVersion = 1;

class JsonWriter;

// The member "program": {"name", "version"}.
void writeProgram(JsonWriter& json);

// inputPath: the input file as given on the command line.
void writeJsonResult(std::ostream& stream, const SectionModel& model, std::string_view inputPath);

}  // namespace colsec

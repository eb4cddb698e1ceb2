#pragma once
// Checks of the whole input that no single record can make. They run after
// reading and pruning, before any output file is opened.

#include <iosfwd>
#include <string>

#include "input/InputReader.h"

namespace colsec {

class SectionModel;

// Largest grid the discretisation accepts, counted before allocation.
inline constexpr double kMaxGridCells = 10'000'000;

// Throws InputError for a missing "#SETTINGS" record, subdivision counts
// that make the interaction curves undefined, or a grid beyond
// kMaxGridCells; warns on `warnings` when "#FORCEED" is missing.
void checkInput(const SectionModel& model, const InputRecordLines& lines, const std::string& fileName,
                std::ostream& warnings);

}  // namespace colsec

#pragma once
// Reading one input file into a model, shared by colsec and colsec-plot:
// read, drop the unused materials, check the whole file.

#include <iosfwd>
#include <string>

#include "input/InputReader.h"

namespace colsec {

class SectionModel;

// Reads the input at `path` into the empty `model`, prunes its materials
// and checks it. Warnings go to `diagnostics`. Throws InputError for a
// missing, unreadable or rejected input (the path of a folder included).
// Returns where the single records were found.
InputRecordLines readSectionInput(const std::string& path, SectionModel& model, std::ostream& diagnostics);

// The whole content of a text file the run reads (the input for a table of
// load combinations, the table itself); `what` names it in the message of
// the InputError thrown when it cannot be opened or read.
std::string readTextFile(const std::string& path, const char* what);

}  // namespace colsec

#pragma once
// Reading one input file into a model, shared by colsec and colsec-plot:
// read, drop the unused materials, check the whole file.

#include <iosfwd>
#include <string>

#include "input/InputReader.h"

namespace colsec {

class SectionModel;

// The whole text of the input at `path`. Throws InputError for a missing
// or unreadable input (the path of a folder included).
std::string readInputText(const std::string& path);

// Reads the input `text` (of the file `path`, named in messages) into the
// empty `model`, prunes its materials and checks it. Warnings go to
// `diagnostics`. Throws InputError for a rejected input. Returns where the
// single records were found.
InputRecordLines readSectionText(const std::string& text, const std::string& path, SectionModel& model,
                                 std::ostream& diagnostics);

// The whole content of a text file the run reads (a table of load
// combinations); `what` names it in the message of the InputError thrown
// when it cannot be opened or read.
std::string readTextFile(const std::string& path, const char* what);

}  // namespace colsec

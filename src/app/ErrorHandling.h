#pragma once
// The end of a run that failed, shared by the entry points of colsec and
// colsec-plot.

#include <exception>
#include <iosfwd>

namespace colsec {

// Flushes `console` (so that the message follows the progress text) and
// writes one line "PROGRAM: MESSAGE" to `errors`: the message of an
// InputError or OutputError as it is, any other exception (for example
// exhausted memory) as "the run failed: WHAT". Returns exit status 1.
int reportRunFailure(const char* program, const std::exception& error, std::ostream& console,
                     std::ostream& errors);

}  // namespace colsec

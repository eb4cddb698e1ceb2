#pragma once
// Removes the temporary output files (OutputFile) of a run that is
// interrupted by SIGINT, SIGTERM or SIGHUP, so that an interrupted run
// leaves the earlier files intact and nothing half-written behind: the four
// result files of colsec, the page of colsec-plot.

namespace colsec {

// Installs the handlers; call once at program start.
void installInterruptCleanup();

// Registers a temporary file for removal on interruption, or withdraws it
// (after it was renamed or removed). The path must stay alive and
// unchanged while registered. At most eight files are held (slots 0 to 7).
void registerTemporaryFile(int slot, const char* path);
void withdrawTemporaryFile(int slot);

}  // namespace colsec

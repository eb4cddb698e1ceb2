#pragma once
// Removes the temporary result files of a run that is interrupted by
// SIGINT, SIGTERM or SIGHUP, so that an interrupted run leaves the earlier
// results intact and nothing half-written behind.

namespace colsec {

// Installs the handlers; call once at program start.
void installInterruptCleanup();

// Registers a temporary file for removal on interruption, or withdraws it
// (after it was renamed or removed). The path must stay alive and
// unchanged while registered. At most five files are held (slots 0 to 4).
void registerTemporaryFile(int slot, const char* path);
void withdrawTemporaryFile(int slot);

}  // namespace colsec

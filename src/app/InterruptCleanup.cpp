#include "app/InterruptCleanup.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace colsec {

namespace {

constexpr int kSlots = 8;
std::atomic<const char*> temporaryFiles[kSlots];

extern "C" void removeTemporaryFilesAndStop(int signalNumber) {
  // Only async-signal-safe calls here.
  for (auto& slot : temporaryFiles) {
    const char* path = slot.exchange(nullptr);
    if (path != nullptr) ::unlink(path);
  }
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

void installInterruptCleanup() {
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, removeTemporaryFilesAndStop);
}

void registerTemporaryFile(int slot, const char* path) {
  if (slot >= 0 && slot < kSlots) temporaryFiles[slot].store(path);
}

void withdrawTemporaryFile(int slot) {
  if (slot >= 0 && slot < kSlots) temporaryFiles[slot].store(nullptr);
}

}  // namespace colsec

#pragma once
// Work split by independent items (curve angles, load combinations) over
// the standard library's threads. Each item is computed whole by one
// thread, so results do not depend on the number of threads.

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace colsec {

// One thread per core, at least one.
inline int hardwareThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// Runs work(i) for i = 0 … count − 1 on up to `threads` threads (the
// calling one included); each index once. The first exception is rethrown
// after every thread has stopped.
template <typename Work>
void parallelFor(int count, int threads, Work work) {
  std::atomic<int> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto worker = [&] {
    for (int i = next++; i < count; i = next++) {
      try {
        work(i);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureLock);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    }
  };
  const int extra = std::max(0, std::min(threads, count) - 1);
  std::vector<std::thread> pool;
  pool.reserve(static_cast<std::size_t>(extra));
  for (int t = 0; t < extra; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace colsec

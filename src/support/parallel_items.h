#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "support/job_observer.h"

namespace quillmere {

// How many threads `requested` (0: one per processor core) come to for
// `items` items of `work` units in all, `units_per_worker` of them being
// what makes a thread worth its start: at least 1, at most one per item.
inline unsigned UsefulWorkers(std::int64_t items, std::int64_t work,
                              std::int64_t units_per_worker, unsigned requested) {
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const std::int64_t useful =
      std::max<std::int64_t>(1, std::min<std::int64_t>(items, work / units_per_worker));
  const std::int64_t wanted = requested == 0 ? cores : requested;
  return static_cast<unsigned>(std::min(wanted, useful));
}

// Works through independent items 0 .. count - 1 on `workers` threads:
// `work(state, item)` for each, with `state` the worker's own (one
// `make_state()` per worker, made before they start), so that buffers and
// engines are never shared. Items are taken in order, one at a time.
//
// `tap` sees the items done, from the calling thread only (job_observer.h):
// with one worker that thread does the work itself; otherwise it reports
// while the workers run. When the tap stops the job, the workers stop
// after their current item and JobStopped goes on; an exception in a worker
// stops the others and is thrown here. Returns the workers' states, in the
// order of the workers.
template <typename State, typename MakeState, typename Work>
std::vector<State> ForEachItemInParallel(std::int64_t count, unsigned workers,
                                         const ProgressTap& tap, MakeState make_state,
                                         Work work) {
  struct Shared {
    std::atomic<std::int64_t> next{0};
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    unsigned ended = 0;  // guarded by `mutex`
  } shared;
  workers = std::max(workers, 1u);
  std::vector<State> states;
  states.reserve(workers);
  for (unsigned w = 0; w < workers; ++w) states.push_back(make_state());
  std::vector<std::exception_ptr> errors(workers);
  const auto run = [&](unsigned w, const ProgressTap* own_tap) {
    try {
      for (std::int64_t item = shared.next++; item < count && !shared.stop;
           item = shared.next++) {
        work(states[w], item);
        const std::int64_t done = ++shared.done;
        if (own_tap != nullptr) own_tap->Report(done);
      }
    } catch (...) {
      errors[w] = std::current_exception();
      shared.stop = true;  // the others need not go on
    }
    const std::lock_guard lock(shared.mutex);
    ++shared.ended;
    shared.changed.notify_all();
  };
  if (workers == 1) {
    run(0, &tap);
  } else {
    std::vector<std::jthread> threads;
    threads.reserve(workers);
    for (unsigned w = 0; w < workers; ++w) threads.emplace_back([&run, w] { run(w, nullptr); });
    // How often the calling thread tells the observer how far the workers
    // are; when it asks the job to stop, the workers stop too.
    constexpr auto kReportInterval = std::chrono::milliseconds(20);
    std::unique_lock lock(shared.mutex);
    bool ended = false;
    while (!ended) {
      ended = shared.changed.wait_for(lock, kReportInterval,
                                      [&] { return shared.ended == workers; });
      lock.unlock();
      try {
        tap.Report(shared.done);
      } catch (...) {
        shared.stop = true;
        throw;  // the threads are joined on the way out
      }
      lock.lock();
    }
  }
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
  return states;
}

}  // namespace quillmere

#ifndef _WIN32

#include "platform/file_mapping.h"

#include <atomic>
#include <csignal>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace quillmere {

namespace {

// Watched mappings, read by the bus-error handler: plain atomics, which a
// signal handler may read.
struct Watch {
  std::atomic<bool> taken{false};
  std::atomic<std::uintptr_t> begin{0};  // 0 while the watch is not armed
  std::atomic<std::uintptr_t> end{0};
  std::atomic<bool> cut_short{false};
};

constexpr int kWatches = 64;
Watch watches[kWatches];
const auto page_size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
struct sigaction previous_action {};

void HandBusErrorOn(int signal, siginfo_t* info, void* context) {
  if (previous_action.sa_flags & SA_SIGINFO) {
    previous_action.sa_sigaction(signal, info, context);
    return;
  }
  if (previous_action.sa_handler != SIG_DFL && previous_action.sa_handler != SIG_IGN) {
    previous_action.sa_handler(signal);
    return;
  }
  // The touch is repeated on return and ends the program as it would have.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(SIGBUS, &fallback, nullptr);
}

void OnBusError(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (Watch& watch : watches) {
    const std::uintptr_t begin = watch.begin.load();
    const std::uintptr_t end = watch.end.load();
    if (begin == 0 || address < begin || address >= end) continue;
    // Zero pages from the missing one to the end of the mapping; the touch
    // is repeated on return and reads them.
    const std::uintptr_t page = address & ~(page_size - 1);
    void* const zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros == MAP_FAILED) break;
    watch.cut_short.store(true);
    return;
  }
  HandBusErrorOn(signal, info, context);
}

void InstallHandler() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previous_action);
  });
}

}  // namespace

const char* MapFileForReading(int fd, std::int64_t size) {
  if (size <= 0) return nullptr;
  void* const data = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
  return data == MAP_FAILED ? nullptr : static_cast<const char*>(data);
}

void UnmapFile(const char* data, std::int64_t size) {
  if (data != nullptr) ::munmap(const_cast<char*>(data), static_cast<std::size_t>(size));
}

int WatchMapping(const char* data, std::int64_t size) {
  InstallHandler();
  for (int n = 0; n < kWatches; ++n) {
    Watch& watch = watches[n];
    if (watch.taken.exchange(true)) continue;
    watch.cut_short.store(false);
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    watch.end.store(begin + static_cast<std::uintptr_t>(size));
    watch.begin.store(begin);
    return n;
  }
  return -1;
}

bool MappingCutShort(int watch) { return watch >= 0 && watches[watch].cut_short.load(); }

void EndWatch(int watch) {
  if (watch < 0) return;
  watches[watch].begin.store(0);
  watches[watch].end.store(0);
  watches[watch].taken.store(false);
}

}  // namespace quillmere

#endif

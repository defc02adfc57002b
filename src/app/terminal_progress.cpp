#include "app/terminal_progress.h"

#include <algorithm>
#include <string>

namespace quillmere {

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(200);

const char* PhaseName(JobPhase phase) {
  switch (phase) {
    case JobPhase::kReading: return "reading";
    case JobPhase::kSearching: return "searching for arcs";
    case JobPhase::kJoining: return "joining";
    case JobPhase::kWriting: return "writing";
  }
  return "";
}

std::string ProgressText(JobPhase phase, std::int64_t done, std::int64_t total) {
  std::string text = PhaseName(phase);
  if (total > 0) {
    text += " " + std::to_string(done * 100 / total) + "%";
  } else if (done > 0) {
    text += " " + std::to_string(done);
  }
  return text + " ...";
}

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* stream, bool is_terminal)
    : stream_(stream), is_terminal_(is_terminal) {}

TerminalProgress::~TerminalProgress() { Erase(); }

void TerminalProgress::Progress(JobPhase phase, std::int64_t done, std::int64_t total) {
  if (!is_terminal_) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < kQuietStart) return;
  if (now - last_drawn_ < kRedrawInterval) return;
  last_drawn_ = now;
  const std::string text = ProgressText(phase, done, total);
  const int width = static_cast<int>(text.size());
  // Blanks over whatever a longer line before left behind.
  std::fprintf(stream_, "\r%s%*s", text.c_str(), drawn_width_ > width ? drawn_width_ - width : 0,
               "");
  std::fflush(stream_);
  drawn_width_ = std::max(drawn_width_, width);
}

void TerminalProgress::Erase() {
  if (drawn_width_ == 0) return;
  std::fprintf(stream_, "\r%*s\r", drawn_width_, "");
  std::fflush(stream_);
  drawn_width_ = 0;
}

}  // namespace quillmere

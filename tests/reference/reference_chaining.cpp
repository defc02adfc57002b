#include "reference_chaining.h"

#include <cmath>

namespace quillmere::testing {

namespace {

bool StartMeetsEnd(const LineVertex& start, const LineVertex& end, double tolerance) {
  return std::fabs(start.x - end.x) < tolerance && std::fabs(start.y - end.y) < tolerance &&
         std::fabs(start.z - end.z) < tolerance;
}

// Appends the vertices of `from` after its first to `to`, and consumes `from`.
void Append(LineRecord& to, LineRecord& from) {
  for (std::int32_t v = 1; v < from.VertexCount(); ++v) {
    to.vertices.push_back(std::move(from.vertices[static_cast<std::size_t>(v)]));
  }
  from.vertices.clear();
  from.dropped = true;
}

}  // namespace

int ReferenceChainLines(LineModel& model, double tolerance) {
  int passes = 0;
  bool joined = true;
  while (joined) {
    ++passes;
    joined = false;
    for (std::int32_t i = 0; i < model.RecordCount(); ++i) {
      LineRecord& chain = model.records[static_cast<std::size_t>(i)];
      if (chain.VertexCount() < 2) continue;
      for (std::int32_t j = 0; j < model.RecordCount(); ++j) {
        LineRecord& receiver = model.records[static_cast<std::size_t>(j)];
        if (j == i || receiver.VertexCount() < 2) continue;
        if (!StartMeetsEnd(chain.vertices[0], receiver.vertices.back(),
                           tolerance)) {
          continue;
        }
        Append(receiver, chain);
        joined = true;
        break;
      }
    }
  }
  return passes;
}

}  // namespace quillmere::testing

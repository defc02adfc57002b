#include "lines/reference_chaining.h"

#include <cmath>

namespace quillmere::testing {

namespace {

bool StartMeetsEnd(const Tmypoi& start, const Tmypoi& end, double tolerance) {
  return std::fabs(start.x - end.x) < tolerance && std::fabs(start.y - end.y) < tolerance &&
         std::fabs(start.z - end.z) < tolerance;
}

// Appends the vertices of `from` after its first to `to`, and consumes `from`.
void Append(tpoly& to, tpoly& from) {
  to.ps.resize(static_cast<std::size_t>(to.anzp));
  for (std::int32_t v = 1; v < from.anzp; ++v) {
    to.ps.push_back(std::move(from.ps[static_cast<std::size_t>(v)]));
  }
  to.anzp += from.anzp - 1;
  from.ps.clear();
  from.anzp = 0;
  from.delpoly = true;
}

}  // namespace

int ReferenceChainLines(PolylineModel& model, double tolerance) {
  int passes = 0;
  bool joined = true;
  while (joined) {
    ++passes;
    joined = false;
    for (std::int32_t i = 0; i < model.anzpoly; ++i) {
      tpoly& chain = model.polys[static_cast<std::size_t>(i)];
      if (chain.anzp < 2) continue;
      for (std::int32_t j = 0; j < model.anzpoly; ++j) {
        tpoly& receiver = model.polys[static_cast<std::size_t>(j)];
        if (j == i || receiver.anzp < 2) continue;
        if (!StartMeetsEnd(chain.ps[0], receiver.ps[static_cast<std::size_t>(receiver.anzp - 1)],
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

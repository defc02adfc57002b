#include "preview/job_comparison.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_map>

namespace quillmere {

namespace {

bool SamePoint(const PathVertex& a, const PathVertex& b) { return a.x == b.x && a.y == b.y; }

// Matches the output polyline's vertices, in order, with input vertices;
// marks the arcs found and collects the vertices left out. False, changing
// nothing, when the output is no subsequence of the input.
bool CompareArcPolyline(const PathVertex* input, std::size_t input_count, const PathVertex* output,
                        std::size_t output_count, Stroke* strokes, JobComparison& comparison) {
  std::vector<std::size_t> matched(output_count);
  std::size_t next = 0;
  for (std::size_t j = 0; j < output_count; ++j) {
    while (next < input_count && !SamePoint(input[next], output[j])) ++next;
    if (next == input_count) return false;
    matched[j] = next++;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < input_count; ++i) {
    if (kept < output_count && matched[kept] == i) {
      ++kept;
    } else {
      comparison.removed_vertices.push_back(input[i]);
    }
  }
  for (std::size_t j = 0; j < output_count; ++j) {
    if (output[j].bulge != 0 && input[matched[j]].bulge == 0) {
      strokes[j] = Stroke::kFoundArc;
      ++comparison.counts.arcs_found;
    }
  }
  comparison.counts.vertices_removed += input_count - output_count;
  return true;
}

// A polyline the arc job wrote in place of a curve: all of it is new.
void MarkConvertedCurve(const DrawingGeometry& output, const DrawnEntity& polyline,
                        JobComparison& comparison) {
  const PathVertex* vertices = output.VerticesOf(polyline);
  for (std::size_t i = 0; i < polyline.count; ++i) {
    comparison.output_strokes[polyline.first + i] = Stroke::kFoundArc;
    comparison.counts.arcs_found += vertices[i].bulge != 0 ? 1 : 0;
  }
  ++comparison.counts.curves_converted;
}

void CompareArcJob(const DrawingGeometry& input, const DrawingGeometry& output,
                   JobComparison& comparison) {
  // With curves converted the polylines no longer pair up by their number,
  // but the entities do: the job keeps every entity in its place.
  const bool curves_converted =
      input.entities.size() == output.entities.size() &&
      input.polylines.size() != output.polylines.size();
  if (!curves_converted) {
    const std::size_t pairs = std::min(input.polylines.size(), output.polylines.size());
    for (std::size_t k = 0; k < pairs; ++k) {
      const DrawnEntity& before = input.Polyline(k);
      const DrawnEntity& after = output.Polyline(k);
      CompareArcPolyline(input.VerticesOf(before), before.count, output.VerticesOf(after),
                         after.count, comparison.output_strokes.data() + after.first, comparison);
    }
    return;
  }
  for (std::size_t k = 0; k < input.entities.size(); ++k) {
    const DrawnEntity& before = input.entities[k];
    const DrawnEntity& after = output.entities[k];
    const bool polyline_after =
        after.kind == EntityKind::kPolyline || after.kind == EntityKind::kLwPolyline;
    if (!polyline_after) continue;
    if (before.IsCurve()) {
      MarkConvertedCurve(output, after, comparison);
    } else if (before.kind == EntityKind::kPolyline || before.kind == EntityKind::kLwPolyline) {
      CompareArcPolyline(input.VerticesOf(before), before.count, output.VerticesOf(after),
                         after.count, comparison.output_strokes.data() + after.first, comparison);
    }
  }
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  return (hash ^ value) * 0x100000001B3ULL;
}

// Adding 0 makes -0 the +0 that compares equal to it.
std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value + 0.0); }

// A hash of everything that makes two polylines equal.
std::uint64_t PolylineHash(const DrawingGeometry& geometry, const DrawnEntity& entity) {
  std::uint64_t hash = Mix(0xCBF29CE484222325ULL, entity.count * 2 + (entity.closed ? 1 : 0));
  const PathVertex* vertices = geometry.VerticesOf(entity);
  for (std::size_t i = 0; i < entity.count; ++i) {
    hash = Mix(hash, Bits(vertices[i].x));
    hash = Mix(hash, Bits(vertices[i].y));
    hash = Mix(hash, Bits(vertices[i].bulge));
  }
  return hash;
}

bool SamePolyline(const DrawingGeometry& a, const DrawnEntity& first, const DrawingGeometry& b,
                  const DrawnEntity& second) {
  if (first.count != second.count || first.closed != second.closed) return false;
  const PathVertex* u = a.VerticesOf(first);
  const PathVertex* v = b.VerticesOf(second);
  for (std::size_t i = 0; i < first.count; ++i) {
    if (!SamePoint(u[i], v[i]) || u[i].bulge != v[i].bulge) return false;
  }
  return true;
}

// Marks every output polyline that equals no input polyline (each input
// polyline stands for one output polyline at most); returns how many, and
// counts the closed ones among them in `closed`.
std::size_t MarkChangedPolylines(const DrawingGeometry& input, const DrawingGeometry& output,
                                 std::vector<Stroke>& strokes, std::size_t& closed) {
  std::unordered_multimap<std::uint64_t, std::size_t> unmatched;
  unmatched.reserve(input.polylines.size());
  for (std::size_t k = 0; k < input.polylines.size(); ++k) {
    unmatched.emplace(PolylineHash(input, input.Polyline(k)), k);
  }
  std::size_t changed = 0;
  for (std::size_t k = 0; k < output.polylines.size(); ++k) {
    const DrawnEntity& after = output.Polyline(k);
    auto [candidate, end] = unmatched.equal_range(PolylineHash(output, after));
    while (candidate != end && !SamePolyline(input, input.Polyline(candidate->second), output, after)) {
      ++candidate;
    }
    if (candidate != end) {
      unmatched.erase(candidate);
      continue;
    }
    ++changed;
    closed += after.closed ? 1 : 0;
    std::fill_n(strokes.begin() + static_cast<std::ptrdiff_t>(after.first), after.count,
                Stroke::kChangedPolyline);
  }
  return changed;
}

void CollectPolylineEnds(const DrawingGeometry& output, std::vector<PathVertex>& ends) {
  for (std::size_t k = 0; k < output.polylines.size(); ++k) {
    const DrawnEntity& polyline = output.Polyline(k);
    if (polyline.closed || !polyline.drawn || polyline.count == 0) continue;
    const PathVertex* vertices = output.VerticesOf(polyline);
    ends.push_back(vertices[0]);
    ends.push_back(vertices[polyline.count - 1]);
  }
}

std::size_t Shrinkage(std::size_t before, std::size_t after) {
  return before > after ? before - after : 0;
}

}  // namespace

JobComparison CompareJobDrawings(ComparedJob job, const DrawingGeometry& input,
                                 const DrawingGeometry& output) {
  JobComparison comparison;
  comparison.output_strokes = NaturalStrokes(output);
  JobCounts& counts = comparison.counts;
  switch (job) {
    case ComparedJob::kFindArcs:
      CompareArcJob(input, output, comparison);
      break;
    case ComparedJob::kChainLines:
      counts.polylines_made = MarkChangedPolylines(input, output, comparison.output_strokes,
                                                   counts.contours_closed);
      counts.lines_chained = Shrinkage(input.line_entities, output.line_entities);
      CollectPolylineEnds(output, comparison.polyline_ends);
      break;
    case ComparedJob::kJoinPolylines:
      counts.polylines_extended = MarkChangedPolylines(input, output, comparison.output_strokes,
                                                       counts.contours_closed);
      counts.polylines_attached = Shrinkage(input.polylines.size(), output.polylines.size());
      CollectPolylineEnds(output, comparison.polyline_ends);
      break;
  }
  return comparison;
}

}  // namespace quillmere

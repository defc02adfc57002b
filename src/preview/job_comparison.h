#pragma once

#include <cstddef>
#include <vector>

#include "preview/drawing_geometry.h"
#include "preview/flat_drawing.h"

namespace quillmere {

enum class ComparedJob { kFindArcs, kChainLines, kJoinPolylines };

// What a job changed, counted from its input and its output.
struct JobCounts {
  std::size_t arcs_found = 0;        // arc segments in place of straight runs
  std::size_t vertices_removed = 0;  // vertices that the arcs replaced
  std::size_t lines_chained = 0;     // LINE entities gone into polylines
  std::size_t polylines_made = 0;    // polylines the line job wrote
  std::size_t polylines_attached = 0;  // polylines the join job hung onto others
  std::size_t polylines_extended = 0;  // polylines that received them
  // Polylines made or extended by the line or join job that are closed:
  // the contours that came back to their start.
  std::size_t contours_closed = 0;
  // SPLINEs and ELLIPSEs the arc job replaced by polylines of arcs, whose
  // arcs count among those found.
  std::size_t curves_converted = 0;
};

struct JobComparison {
  JobCounts counts;
  // One stroke per vertex of the output: NaturalStrokes, but the arcs found
  // are kFoundArc and every segment of a polyline made or extended is
  // kChangedPolyline.
  std::vector<Stroke> output_strokes;
  // Where the removed vertices lay, in world coordinates.
  std::vector<PathVertex> removed_vertices;
  // After the line and join jobs, the first and last vertex of every open
  // output polyline: where one polyline ends and the next begins cannot be
  // seen from the lines alone.
  std::vector<PathVertex> polyline_ends;
};

// Compares a job's input with its output.
//
// The arc job writes the k-th polyline of its input as the k-th of its
// output, keeping a subsequence of its vertices exactly as read and giving
// some a bulge; a pair whose vertices are no such subsequence (the files do
// not belong together) counts nothing. With curves converted it writes the
// k-th entity as the k-th, a polyline in place of a SPLINE or ELLIPSE,
// which is shown as found whole. The line and join jobs copy every
// polyline they leave alone unchanged, so an output polyline that equals no
// input polyline is one they made or extended.
JobComparison CompareJobDrawings(ComparedJob job, const DrawingGeometry& input,
                                 const DrawingGeometry& output);

}  // namespace quillmere

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "preview/flat_drawing.h"
#include "preview/job_comparison.h"
#include "support/result.h"

namespace quillmere {

// Everything the preview window shows: one drawing, or a job's input and
// output with what the job changed.
struct PreviewContent {
  std::optional<ComparedJob> job;  // nothing: one drawing alone
  FlatDrawing input;               // the drawing, or the job's input
  FlatDrawing output;              // the job's output; empty without a job
  // The vertices the arc job removed, relative to the output's origin.
  std::vector<FlatPoint> removed_vertices;
  // The ends of the line and join jobs' output polylines, relative to the
  // output's origin.
  std::vector<FlatPoint> polyline_ends;
  JobCounts counts;
};

// Reads one drawing. A file that cannot be read (or is no DXF text drawing)
// leaves `content` empty and gives the failure, which the caller tells.
Status LoadDrawingPreview(const std::string& file_name, PreviewContent& content);

// Reads a job's input and output side by side, each on a thread of its own,
// and compares them. A file that cannot be read leaves `content` empty and
// gives its failure, the input's first and alone. With `input_before` the
// input is that drawing, read before the job replaced the input file with
// its output, and the file is not read again.
Status LoadJobPreview(ComparedJob job, const std::string& input_name,
                      const std::string& output_name, PreviewContent& content,
                      const DrawingGeometry* input_before = nullptr);

}  // namespace quillmere

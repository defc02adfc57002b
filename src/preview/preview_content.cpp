#include "preview/preview_content.h"

#include <future>
#include <utility>

#include "preview/geometry_reader.h"

namespace quillmere {

namespace {

std::vector<FlatPoint> RelativePoints(const std::vector<PathVertex>& points,
                                      const FlatDrawing& drawing) {
  std::vector<FlatPoint> relative;
  relative.reserve(points.size());
  for (const PathVertex& point : points) {
    relative.push_back({static_cast<float>(point.x - drawing.origin_x),
                        static_cast<float>(point.y - drawing.origin_y)});
  }
  return relative;
}

}  // namespace

Status LoadDrawingPreview(const std::string& file_name, PreviewContent& content) {
  content = PreviewContent{};
  // A drawing too large for the memory there is ends the preview with its
  // message, like a job, and leaves the window open.
  const Status loaded = GuardedJob(file_name, [&]() -> Status {
    DrawingGeometry geometry;
    if (const Status read = ReadDrawingGeometry(file_name, geometry); !read) return read;
    content.input = FlattenDrawing(geometry, NaturalStrokes(geometry));
    return Done{};
  });
  if (!loaded) content = PreviewContent{};
  return loaded;
}

Status LoadJobPreview(ComparedJob job, const std::string& input_name,
                      const std::string& output_name, PreviewContent& content,
                      const DrawingGeometry* input_before) {
  content = PreviewContent{};
  // The input's failure comes first, and only one is given.
  const Status loaded = GuardedJob(input_name, [&]() -> Status {
    DrawingGeometry read_input;
    std::future<Status> input_read = std::async(std::launch::async, [&]() -> Status {
      if (input_before != nullptr) return Done{};
      return ReadDrawingGeometry(input_name, read_input);
    });
    DrawingGeometry output;
    const Status output_read = ReadDrawingGeometry(output_name, output);
    if (const Status input_was_read = input_read.get(); !input_was_read) return input_was_read;
    if (!output_read) return output_read;
    const DrawingGeometry& input = input_before != nullptr ? *input_before : read_input;

    JobComparison comparison = CompareJobDrawings(job, input, output);
    std::future<FlatDrawing> flat_input = std::async(std::launch::async, [&] {
      return FlattenDrawing(input, NaturalStrokes(input));
    });
    content.output = FlattenDrawing(output, comparison.output_strokes);
    content.input = flat_input.get();
    content.removed_vertices = RelativePoints(comparison.removed_vertices, content.output);
    content.polyline_ends = RelativePoints(comparison.polyline_ends, content.output);
    content.counts = comparison.counts;
    content.job = job;
    return Done{};
  });
  if (!loaded) content = PreviewContent{};
  return loaded;
}

}  // namespace quillmere

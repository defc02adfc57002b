#include "preview/preview_content.h"

#include <future>
#include <utility>

#include "preview/geometry_reader.h"

namespace quillmere {

namespace {

// Keeps the notices of a reading thread until the calling thread passes
// them on: a sink may show a window, which only that thread may do.
class HeldNotices : public NoticeSink {
 public:
  void Notify(Notice notice, const std::string& file_name) override {
    held_.emplace_back(notice, file_name);
  }
  void PassOn(NoticeSink& notices) const {
    for (const auto& [notice, file_name] : held_) notices.Notify(notice, file_name);
  }

 private:
  std::vector<std::pair<Notice, std::string>> held_;
};

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

bool LoadDrawingPreview(const std::string& file_name, PreviewContent& content,
                        NoticeSink& notices) {
  content = PreviewContent{};
  DrawingGeometry geometry;
  if (!ReadDrawingGeometry(file_name, geometry, notices)) return false;
  content.input = FlattenDrawing(geometry, NaturalStrokes(geometry));
  return true;
}

bool LoadJobPreview(ComparedJob job, const std::string& input_name,
                    const std::string& output_name, PreviewContent& content, NoticeSink& notices) {
  content = PreviewContent{};
  DrawingGeometry input;
  HeldNotices input_notices;
  std::future<bool> input_read = std::async(std::launch::async, [&] {
    return ReadDrawingGeometry(input_name, input, input_notices);
  });
  DrawingGeometry output;
  HeldNotices output_notices;
  const bool output_read = ReadDrawingGeometry(output_name, output, output_notices);
  const bool input_was_read = input_read.get();
  input_notices.PassOn(notices);
  output_notices.PassOn(notices);
  if (!input_was_read || !output_read) return false;

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
  return true;
}

}  // namespace quillmere

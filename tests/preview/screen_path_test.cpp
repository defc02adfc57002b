#include "preview/screen_path.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmere {
namespace {

// Keeps what the path hands over.
class PathRecorder : public PreviewPainter {
 public:
  void Ground(PreviewRgb) override {}
  void BeginStroke(Stroke) override {}
  void Path(const std::vector<view::ViewPoint>& points) override { paths.push_back(points); }
  void Dots(const std::vector<view::ViewPoint>& points) override {
    dots.insert(dots.end(), points.begin(), points.end());
  }
  void Marks(MarkShape, PreviewRgb, const std::vector<view::ViewPoint>&) override {}

  std::vector<std::vector<view::ViewPoint>> paths;
  std::vector<view::ViewPoint> dots;
};

// Points within half a pixel of the last kept are passed over, but the
// path's last point is kept; a segment reaching far beyond the view is cut
// at the frame 64 pixels around it, and the path goes on where it comes
// back.
TEST(ScreenPathTest, DropsNearPointsAndCutsAtTheFrame) {
  PathRecorder painter;
  ScreenPath path(painter, {100, 100});
  for (const view::ViewPoint point : {view::ViewPoint{10, 10}, {10.2, 10.2}, {10.4, 10.1}, {50, 50},
                                      {50.3, 50}}) {
    path.Add(point);
  }
  path.Finish();
  ASSERT_EQ(painter.paths.size(), 1u);
  ASSERT_EQ(painter.paths[0].size(), 3u);
  EXPECT_EQ(painter.paths[0][1].x, 50);
  EXPECT_EQ(painter.paths[0][2].x, 50.3);

  painter.paths.clear();
  for (const view::ViewPoint point : {view::ViewPoint{50, 50}, {1e9, 50}, {1e9, 60}, {50, 60}}) {
    path.Add(point);
  }
  path.Finish();
  ASSERT_EQ(painter.paths.size(), 2u);
  EXPECT_EQ(painter.paths[0].back().x, 164);
  EXPECT_EQ(painter.paths[1].front().x, 164);
  EXPECT_EQ(painter.paths[1].back().x, 50);

  // A path wholly outside hands over nothing; one point alone is a dot.
  path.Add({-500, -500});
  path.Add({-400, -500});
  path.Finish();
  path.Add({20, 20});
  path.Finish();
  EXPECT_EQ(painter.paths.size(), 2u);
  ASSERT_EQ(painter.dots.size(), 1u);
}

}  // namespace
}  // namespace quillmere

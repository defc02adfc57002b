#include <gtest/gtest.h>

#include <cmath>

#include "preview/preview_layers.h"
#include "preview/preview_view.h"
#include "preview/screen_map.h"

namespace quillmere {
namespace {

// One mark per cell, none outside the view, and none for a point that maps
// to no number (a degenerate view).
TEST(MarkCellsTest, LetsOneMarkIntoEachCellOfTheView) {
  MarkCells cells({20, 10}, 6);
  EXPECT_TRUE(cells.Take(0, 0));
  EXPECT_FALSE(cells.Take(5.9, 5.9));  // same cell
  EXPECT_TRUE(cells.Take(6, 0));
  EXPECT_TRUE(cells.Take(19.5, 9.5));  // the last, partial cell
  EXPECT_FALSE(cells.Take(-0.1, 3));
  EXPECT_FALSE(cells.Take(20, 3));
  EXPECT_FALSE(cells.Take(3, 10));
  EXPECT_FALSE(cells.Take(std::nan(""), 3));
}

TEST(PreviewLayersTest, MarksUnderTheOutputOnlyWhereAJobRan) {
  PreviewContent content;
  content.removed_vertices = {{1, 1}};
  content.polyline_ends = {{2, 2}};
  PreviewLayers alone = LayersOf(content, true, true);
  EXPECT_EQ(alone.drawing, &content.input);  // no job: the drawing alone
  EXPECT_EQ(alone.polyline_ends, nullptr);

  content.job = ComparedJob::kJoinPolylines;
  PreviewLayers after = LayersOf(content, true, false);
  EXPECT_EQ(after.drawing, &content.output);
  EXPECT_EQ(after.removed_vertices, nullptr);
  EXPECT_EQ(after.polyline_ends, &content.polyline_ends);

  PreviewLayers before = LayersOf(content, false, true);
  EXPECT_EQ(before.drawing, &content.input);
  EXPECT_EQ(before.removed_vertices, &content.removed_vertices);
  EXPECT_EQ(before.polyline_ends, nullptr);
}

// A resize fits the view anew until the user zooms or moves it; fitting
// again restores that.
TEST(PreviewViewTest, ResizeRefitsOnlyAFittedView) {
  PreviewContent content;
  content.input.pieces.push_back({});
  content.input.bounds = {0, 0, 10, 10};
  PreviewView preview;
  preview.SetContent(&content, {100, 100});
  const view::ViewTransform small = preview.transform();
  preview.Resized({300, 300});
  EXPECT_DOUBLE_EQ(preview.transform().scale, 3 * small.scale);

  view::ViewTransform moved = preview.transform();
  moved.centre_x += 5;
  preview.Move(moved);
  preview.Resized({100, 100});
  EXPECT_EQ(preview.transform().centre_x, moved.centre_x);
  EXPECT_EQ(preview.transform().scale, moved.scale);

  preview.Fit({100, 100});
  EXPECT_EQ(preview.transform().centre_x, small.centre_x);
  EXPECT_EQ(preview.transform().scale, small.scale);
}

}  // namespace
}  // namespace quillmere

// The preview window's behaviour without a toolkit: what it shows for a
// drawing and for a job, the view the wheel, dragging and "Ganze Zeichnung"
// give, and a file that cannot be read.

#include "app/presenter/preview_presenter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/job_runner.h"
#include "i18n/translations.h"
#include "presenter/presenter_fakes.h"
#include "support/utf.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::RecordingMessages;
using testing::RecordingPreviewView;
using testing::TempDir;

// An LWPOLYLINE of 13 vertices along a quarter circle of radius 20, which
// the arc job makes one arc.
std::string QuarterCircleForPreview() {
  std::vector<std::string> lines = {"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", "8", "0",
                                    "90", "13", "70", "0"};
  for (int i = 0; i <= 12; ++i) {
    const double angle = 3.141592653589793 / 2 * i / 12;
    lines.insert(lines.end(), {"10", std::to_string(20 * std::cos(angle)), "20",
                               std::to_string(20 * std::sin(angle))});
  }
  lines.insert(lines.end(), {"0", "ENDSEC", "0", "EOF"});
  return testing::CrLf(lines);
}

void ExpectSamePoint(view::ViewPoint actual, view::ViewPoint expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

class PreviewPresenterTest : public ::testing::Test {
 protected:
  PreviewPresenterTest() {
    ResetTranslations(dir_.path().string());
    BuildTranslationIndex();
    testing::WriteFile(in_, QuarterCircleForPreview());
  }
  ~PreviewPresenterTest() override { ResetTranslations(std::string()); }

  const view::ViewTransform& Transform() const { return presenter_.shown().transform(); }

  TempDir dir_;
  std::string in_ = dir_.File("in.dxf");
  std::string out_ = dir_.File("out.dxf");
  RecordingPreviewView view_;
  RecordingMessages messages_;
  ShownTexts texts_;
  PreviewPresenter presenter_{view_, texts_, messages_};
};

TEST_F(PreviewPresenterTest, ADrawingAloneShowsNoJobControlsAndItsOwnName) {
  presenter_.ShowNothing();
  EXPECT_EQ(view_.legend.size(), 2u);  // the colours of lines and arcs
  ASSERT_TRUE(presenter_.LoadDrawing(in_));
  EXPECT_FALSE(view_.job);
  EXPECT_FALSE(view_.busy);
  EXPECT_EQ(view_.files, u"in.dxf");
  EXPECT_EQ(view_.legend.size(), 2u);
  EXPECT_GT(view_.redraws, 0);

  // A file that cannot be read is told, and the drawing stays.
  EXPECT_FALSE(presenter_.LoadDrawing(dir_.File("missing.dxf")));
  EXPECT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(view_.files, u"in.dxf");
  EXPECT_NE(presenter_.shown().content(), nullptr);
}

// The wheel keeps the point under the pointer in place, dragging moves the
// drawing with the pointer (only while the button is down), and "Ganze
// Zeichnung" gives the fitted view back, also after the window grew.
TEST_F(PreviewPresenterTest, TheViewFollowsWheelDragAndFit) {
  ASSERT_TRUE(presenter_.LoadDrawing(in_));
  const view::ViewTransform fitted = Transform();
  const view::ViewPoint pointer{120, 90};
  const view::ViewPoint under_pointer = fitted.ToWorld(pointer, view_.size);
  presenter_.Wheel(240, pointer);
  EXPECT_NEAR(Transform().scale / fitted.scale, 1.44, 1e-9);
  ExpectSamePoint(Transform().ToWorld(pointer, view_.size), under_pointer);

  const view::ViewPoint grabbed = Transform().ToWorld({300, 200}, view_.size);
  presenter_.Drag({0, 0});  // no button down: nothing moves
  ExpectSamePoint(Transform().ToWorld({300, 200}, view_.size), grabbed);
  presenter_.Press({300, 200});
  presenter_.Drag({320, 180});
  presenter_.Drag({340, 170});
  presenter_.Release();
  presenter_.Drag({500, 500});
  ExpectSamePoint(Transform().ToWorld({340, 170}, view_.size), grabbed);

  // A moved view stays when the window changes size; a fitted one is fitted
  // anew.
  const view::ViewTransform moved = Transform();
  view_.size = {1000, 700};
  presenter_.CanvasResized();
  EXPECT_EQ(Transform().scale, moved.scale);
  presenter_.FitView();
  EXPECT_GT(Transform().scale, fitted.scale);
  view_.size = {800, 600};
  presenter_.CanvasResized();
  EXPECT_EQ(Transform().scale, fitted.scale);
  EXPECT_EQ(Transform().centre_x, fitted.centre_x);
}

// "Vorher" and "Nachher" switch the drawing and keep the view; the marks of
// the removed points come and go with their box, also for the next job.
TEST_F(PreviewPresenterTest, AJobShowsItsOutputWithItsControlsAndLegend) {
  JobRunner jobs;
  const std::optional<JobSummary> summary = jobs.Run(JobMode::kFindArcs, in_, out_, messages_);
  ASSERT_TRUE(summary);
  const ArcJobSummary& did = std::get<ArcJobSummary>(*summary);
  ASSERT_GT(did.arcs, 0);
  ASSERT_TRUE(presenter_.LoadJobResult({JobMode::kFindArcs, in_, out_, nullptr}));
  EXPECT_TRUE(view_.job);
  EXPECT_TRUE(view_.arc_job);
  EXPECT_EQ(view_.files, u"in.dxf  \u2192  out.dxf");
  ASSERT_EQ(view_.legend.size(), 4u);
  // What the job's own count says.
  EXPECT_EQ(view_.legend[2].text, Utf8ToUtf16(std::to_string(did.arcs)) + u" Kreisbögen gefunden");
  EXPECT_EQ(view_.legend[3].text,
            Utf8ToUtf16(std::to_string(did.vertices_removed)) + u" Punkte entfernt");
  EXPECT_TRUE(presenter_.shown().shows_output());
  ASSERT_NE(presenter_.shown().Layers().removed_vertices, nullptr);

  presenter_.Wheel(360, {100, 100});
  const view::ViewTransform zoomed = Transform();
  presenter_.ShowOutput(false);
  EXPECT_EQ(presenter_.shown().Layers().drawing, &presenter_.shown().content()->input);
  EXPECT_EQ(Transform().scale, zoomed.scale);
  presenter_.ShowRemovedVertices(false);
  EXPECT_EQ(presenter_.shown().Layers().removed_vertices, nullptr);

  ASSERT_TRUE(presenter_.LoadJobResult({JobMode::kFindArcs, in_, out_, nullptr}));
  EXPECT_TRUE(presenter_.shown().shows_output());
  EXPECT_EQ(presenter_.shown().Layers().removed_vertices, nullptr);
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace quillmere

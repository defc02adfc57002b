// The main window's behaviour without a toolkit: a job started through the
// file dialogs, stopped by "Abbrechen" or Esc, closing while it runs, the
// command line, the mode boxes, and the preview of a job that replaced its
// own input.

#include "app/presenter/main_presenter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "i18n/translations.h"
#include "presenter/presenter_fakes.h"
#include "preview/preview_content.h"
#include "support/utf.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::QueuedUiThread;
using testing::RecordingMainView;
using testing::RecordingPreviewView;
using testing::RecordingMessages;
using testing::TempDir;

// An LWPOLYLINE of 25 vertices along a half circle of radius 10: one arc
// for the arc job.
std::string HalfCircleDrawing() {
  std::vector<std::string> lines = {"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", "8", "0",
                                    "90", "25", "70", "0"};
  for (int i = 0; i <= 24; ++i) {
    const double angle = 3.141592653589793 * i / 24;
    lines.insert(lines.end(), {"10", std::to_string(10 * std::cos(angle)), "20",
                               std::to_string(10 * std::sin(angle))});
  }
  lines.insert(lines.end(), {"0", "ENDSEC", "0", "EOF"});
  return testing::CrLf(lines);
}

// LINE entities enough to keep the line job busy for a while.
std::string ManyLines() {
  std::string drawing = "0\nSECTION\n2\nENTITIES\n";
  for (int i = 0; i < 600000; ++i) {
    const std::string x = std::to_string(i % 1000);
    const std::string y = std::to_string(i / 1000);
    drawing += "0\nLINE\n8\n0\n10\n" + x + "\n20\n" + y + "\n11\n" + x + ".5\n21\n" + y + "\n";
  }
  return drawing + "0\nENDSEC\n0\nEOF\n";
}

class MainPresenterTest : public ::testing::Test {
 protected:
  MainPresenterTest() {
    ResetTranslations(dir_.path().string());
    BuildTranslationIndex();
  }
  ~MainPresenterTest() override { ResetTranslations(std::string()); }

  bool WaitForJob() {
    return ui_.RunUntil([this] { return !presenter_.JobRunning(); });
  }

  TempDir dir_;
  std::string in_ = dir_.File("in.dxf");
  std::string out_ = dir_.File("out.dxf");
  QueuedUiThread ui_;
  RecordingMainView view_;
  RecordingMessages messages_;
  ShownTexts texts_;
  MainPresenter presenter_{view_, ui_, messages_, texts_};
};

TEST_F(MainPresenterTest, AJobAsksForBothFilesAndTellsWhatItDid) {
  testing::WriteFile(in_, HalfCircleDrawing());
  view_.files = {std::nullopt};
  presenter_.JobButtonClicked(JobMode::kFindArcs);  // the open dialog cancelled
  EXPECT_FALSE(presenter_.JobRunning());
  view_.files = {in_, out_};
  presenter_.JobButtonClicked(JobMode::kFindArcs);
  ASSERT_TRUE(WaitForJob());
  EXPECT_EQ(view_.result.substr(0, 32), u"1 Polylinien, 25 Punkte gelesen,");
  EXPECT_TRUE(view_.preview_button);
  EXPECT_FALSE(view_.running);
  EXPECT_TRUE(messages_.shown.empty());
  // The dialogs offer the names chosen last, with the DXF filter.
  view_.files = {std::nullopt};
  presenter_.JobButtonClicked(JobMode::kJoinPolylines);
  ASSERT_EQ(view_.requests.size(), 4u);
  EXPECT_EQ(view_.requests[3].file_name, in_);
  EXPECT_EQ(view_.requests[3].filter, u"DXF-Dateien (*.dxf)|*.dxf");
  EXPECT_EQ(view_.requests[2].kind, FileDialogKind::kSave);
}

// "Abbrechen" and Esc both stop the job: the previous output keeps every
// byte, no temporary file stays, and the status line says so.
TEST_F(MainPresenterTest, ACancelledJobLeavesTheOutputAndSaysSo) {
  testing::WriteFile(in_, ManyLines());
  testing::WriteFile(out_, "previous");
  view_.files = {in_, out_};
  presenter_.JobButtonClicked(JobMode::kChainLines);
  ASSERT_TRUE(presenter_.JobRunning());
  EXPECT_TRUE(view_.running);
  presenter_.CancelClicked();
  EXPECT_FALSE(view_.cancel_enabled);
  ASSERT_TRUE(WaitForJob());
  EXPECT_EQ(view_.result, u"Abgebrochen: die Ausgabedatei ist unverändert.");
  EXPECT_FALSE(view_.preview_button);
  EXPECT_TRUE(view_.cancel_enabled);
  EXPECT_EQ(testing::ReadFile(out_), "previous");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 3);  // and translate.dat
  EXPECT_TRUE(messages_.shown.empty());
  presenter_.CancelClicked();  // no job: nothing happens
  EXPECT_TRUE(view_.cancel_enabled);
}

TEST_F(MainPresenterTest, ClosingWhileAJobRunsStopsItAndClosesAfterwards) {
  testing::WriteFile(in_, ManyLines());
  view_.files = {in_, out_};
  presenter_.JobButtonClicked(JobMode::kChainLines);
  EXPECT_FALSE(presenter_.CloseRequested());
  ASSERT_TRUE(WaitForJob());
  EXPECT_EQ(view_.closed, 1);
  EXPECT_FALSE(std::filesystem::exists(out_));
}

// The job writes over its own input; the preview still shows the input as
// it was, so that "Vorher" and "Nachher" differ and the legend counts.
TEST_F(MainPresenterTest, ThePreviewOfAJobOntoItsInputShowsTheInputAsItWas) {
  testing::WriteFile(in_, HalfCircleDrawing());
  view_.files = {in_, in_};
  presenter_.JobButtonClicked(JobMode::kFindArcs);
  ASSERT_TRUE(WaitForJob());
  presenter_.PreviewClicked();
  ASSERT_TRUE(view_.preview.has_value());
  ASSERT_NE(view_.preview->input_before, nullptr);

  RecordingPreviewView preview_view;
  PreviewPresenter preview(preview_view, texts_, messages_);
  ASSERT_TRUE(preview.LoadJobResult(*view_.preview));
  // What the result line says the job did.
  const PreviewContent& content = *preview.shown().content();
  EXPECT_GT(content.counts.arcs_found, 0u);
  EXPECT_NE(view_.result.find(Utf8ToUtf16(std::to_string(content.counts.vertices_removed) +
                                          " entfernt, " +
                                          std::to_string(content.counts.arcs_found) + " Kreisb")),
            std::u16string::npos);
  EXPECT_GT(content.input.points.size(), 0u);
  // Read again from the file, the input is the output already.
  ASSERT_TRUE(preview.LoadJobResult({JobMode::kFindArcs, in_, in_, nullptr}));
  EXPECT_EQ(preview.shown().content()->counts.arcs_found, 0u);

  // A job onto another file keeps nothing of its input.
  view_.files = {in_, out_};
  presenter_.JobButtonClicked(JobMode::kFindArcs);
  ASSERT_TRUE(WaitForJob());
  presenter_.PreviewClicked();
  EXPECT_EQ(view_.preview->input_before, nullptr);
}

// The command line's modes tick their boxes, and a ticked exact mode
// disables the test counts it does not read; the job's end ends the program.
TEST_F(MainPresenterTest, TheCommandLineShowsItsSettingsAndEndsWithItsJob) {
  testing::WriteFile(in_, HalfCircleDrawing());
  presenter_.RunCommandLine({"--exact", "convert1", in_, out_, "0,5", "50"});
  EXPECT_TRUE(presenter_.TerminationRequested());
  EXPECT_TRUE(view_.boxes_ticked[0]);
  EXPECT_FALSE(view_.fields_enabled[1]);
  EXPECT_FALSE(view_.fields_enabled[2]);
  EXPECT_EQ(presenter_.jobs.settings.deviation.value(), 0.1);  // "0,5" is no number there
  EXPECT_EQ(presenter_.jobs.settings.arc_tests.value(), 50);
  ASSERT_TRUE(WaitForJob());
  EXPECT_EQ(view_.exit_code, 0);
  presenter_.ModeBoxClicked(0, false);
  EXPECT_TRUE(view_.fields_enabled[1]);
  EXPECT_FALSE(presenter_.jobs.settings.exact_distances);
}

}  // namespace
}  // namespace quillmere

#include "app/presenter/preview_presenter.h"

#include <utility>

namespace quillmere {

namespace {

ComparedJob ComparedJobOf(JobMode mode) {
  switch (mode) {
    case JobMode::kFindArcs:
      break;
    case JobMode::kChainLines:
      return ComparedJob::kChainLines;
    case JobMode::kJoinPolylines:
      return ComparedJob::kJoinPolylines;
  }
  return ComparedJob::kFindArcs;
}

}  // namespace

PreviewPresenter::PreviewPresenter(PreviewWindowView& view, const ShownTexts& texts,
                                   MessageSink& messages)
    : view_(view), texts_(texts), notices_(messages) {}

void PreviewPresenter::ShowNothing() { Present(nullptr, std::u16string()); }

bool PreviewPresenter::LoadDrawing(const std::string& file_name) {
  auto content = std::make_unique<PreviewContent>();
  view_.ShowBusy(true);
  const bool loaded = Reported(LoadDrawingPreview(file_name, *content), notices_);
  view_.ShowBusy(false);
  if (loaded) Present(std::move(content), PreviewFileNames(file_name));
  return loaded;
}

bool PreviewPresenter::LoadJobResult(const JobPreviewRequest& request) {
  auto content = std::make_unique<PreviewContent>();
  view_.ShowBusy(true);
  const bool loaded =
      Reported(LoadJobPreview(ComparedJobOf(request.mode), request.input_name,
                              request.output_name, *content, request.input_before.get()),
               notices_);
  view_.ShowBusy(false);
  if (loaded) Present(std::move(content), PreviewFileNames(request.input_name, request.output_name));
  return loaded;
}

// A new drawing shows the job's output, fitted; the removed points' marks
// stay as the user last chose.
void PreviewPresenter::Present(std::unique_ptr<PreviewContent> content,
                               const std::u16string& files) {
  content_ = std::move(content);
  const bool job = content_ != nullptr && content_->job.has_value();
  view_.ShowJobControls(job, job && *content_->job == ComparedJob::kFindArcs);
  shown_.ShowOutput(true);
  shown_.SetContent(content_.get(), view_.CanvasSize());
  view_.ShowLegend(PreviewLegend(content_.get(), texts_), files);
  view_.RedrawCanvas();
}

void PreviewPresenter::ShowOutput(bool show) {
  shown_.ShowOutput(show);
  view_.RedrawCanvas();
}

void PreviewPresenter::ShowRemovedVertices(bool show) {
  shown_.ShowRemovedVertices(show);
  view_.RedrawCanvas();
}

void PreviewPresenter::FitView() {
  shown_.Fit(view_.CanvasSize());
  view_.RedrawCanvas();
}

void PreviewPresenter::CanvasResized() {
  shown_.Resized(view_.CanvasSize());
  view_.RedrawCanvas();
}

void PreviewPresenter::MoveView(const view::ViewTransform& transform) {
  shown_.Move(transform);
  view_.RedrawCanvas();
}

void PreviewPresenter::Wheel(int wheel_units, view::ViewPoint pointer) {
  if (wheel_units == 0) return;
  MoveView(view::ZoomedView(shown_.transform(), view::WheelZoomFactor(wheel_units), pointer,
                            view_.CanvasSize()));
}

void PreviewPresenter::Press(view::ViewPoint at) { drag_from_ = at; }

void PreviewPresenter::Drag(view::ViewPoint at) {
  if (!drag_from_) return;
  const view::ViewPoint offset{at.x - drag_from_->x, at.y - drag_from_->y};
  drag_from_ = at;
  MoveView(view::PannedView(shown_.transform(), offset));
}

void PreviewPresenter::Release() { drag_from_.reset(); }

}  // namespace quillmere

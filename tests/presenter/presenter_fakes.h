#pragma once

// Stand-ins for what a toolkit gives the presenter: its event loop, the
// main window, the translation editor's grid and the question boxes. Each
// records what the presenter asked of it.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/presenter/main_view.h"
#include "app/presenter/preview_presenter.h"
#include "app/presenter/questions.h"
#include "app/presenter/translation_editor.h"
#include "app/presenter/ui_thread.h"

namespace quillmere::testing {

// The windows' thread is the test's: posted work waits until the test runs
// it.
class QueuedUiThread : public UiThread {
 public:
  void Post(std::function<void()> work) override {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
    posted_.notify_all();
  }

  // Runs posted work, waiting for more, until `done` holds or 60 seconds
  // have passed; false then.
  bool RunUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
      std::function<void()> work;
      {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_until(lock, deadline, [this] { return !queue_.empty(); })) return false;
        work = std::move(queue_.front());
        queue_.pop_front();
      }
      work();
    }
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> queue_;
};

class RecordingMainView : public MainView {
 public:
  void SetJobRunning(bool is_running) override { running = is_running; }
  void ShowProgress(const std::optional<ProgressDisplay>& shown) override { progress = shown; }
  void EnableCancel(bool enabled) override { cancel_enabled = enabled; }
  void ShowResult(const std::u16string& line, bool with_preview) override {
    result = line;
    preview_button = with_preview;
  }
  void EnableNumberField(int field, bool enabled) override { fields_enabled[field] = enabled; }
  void TickModeBox(int box, bool ticked) override { boxes_ticked[box] = ticked; }
  void CheckLanguageItem(int item) override { language_item = item; }
  std::optional<std::string> ChooseFile(const FileRequest& request) override {
    requests.push_back(request);
    if (files.empty()) return std::nullopt;
    std::optional<std::string> chosen = files.front();
    files.pop_front();
    return chosen;
  }
  void OpenPreview(const JobPreviewRequest& request) override { preview = request; }
  void CloseWindow() override { ++closed; }
  void EndProgram(int code) override { exit_code = code; }

  bool running = false;
  std::optional<ProgressDisplay> progress;
  bool cancel_enabled = true;
  std::u16string result;
  bool preview_button = false;
  bool fields_enabled[4] = {true, true, true, true};
  bool boxes_ticked[8] = {};
  int language_item = -1;
  std::deque<std::optional<std::string>> files;  // nothing: the dialog is cancelled
  std::vector<FileRequest> requests;
  std::optional<JobPreviewRequest> preview;
  int closed = 0;
  std::optional<int> exit_code;
};

// A preview window with a drawing area of 800 x 600 pixels that records
// what it was asked to show.
class RecordingPreviewView : public PreviewWindowView {
 public:
  void ShowJobControls(bool is_job, bool is_arc_job) override {
    job = is_job;
    arc_job = is_arc_job;
  }
  void ShowLegend(const std::vector<LegendEntry>& shown, const std::u16string& names) override {
    legend = shown;
    files = names;
  }
  view::ViewSize CanvasSize() const override { return size; }
  void RedrawCanvas() override { ++redraws; }
  void ShowBusy(bool is_busy) override { busy = is_busy; }

  bool job = false;
  bool arc_job = false;
  std::vector<LegendEntry> legend;
  std::u16string files;
  view::ViewSize size{800, 600};
  int redraws = 0;
  bool busy = false;
};

// Answers questions from a script and records them; without a scripted
// answer the user presses Return, which gives the default answer.
class ScriptedQuestions : public Questions {
 public:
  struct Asked {
    std::u16string caption;
    std::u16string text;
    std::optional<Answer> default_answer;  // nothing for a Yes/No question
  };

  Answer AskYesNoCancel(const std::u16string& caption, const std::u16string& text,
                        Answer default_answer) override {
    asked.push_back({caption, text, default_answer});
    if (on_ask) on_ask();
    return Next(default_answer);
  }
  bool AskYesNo(const std::u16string& caption, const std::u16string& text) override {
    asked.push_back({caption, text, std::nullopt});
    if (on_ask) on_ask();
    return Next(Answer::kNo) == Answer::kYes;
  }

  std::deque<Answer> answers;
  std::vector<Asked> asked;
  std::function<void()> on_ask;

 private:
  Answer Next(Answer otherwise) {
    if (answers.empty()) return otherwise;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// A grid that holds its cells and records where the presenter moved.
class RecordingGrid : public GridView {
 public:
  void SetRowCount(int rows) override {
    cells.assign(static_cast<std::size_t>(rows), std::vector<std::u16string>(20));
    if (row == 0 && rows > 1) row = 1;
    if (row >= rows) row = rows - 1;
  }
  void SetCell(int column, int r, const std::u16string& text) override { cells[r][column] = text; }
  int Row() const override { return row; }
  void SetRow(int r) override { row = r; }
  void SelectCell(int column, int r) override {
    selected_column = column;
    row = r;
  }
  void ScrollToTopLeft(int column, int r) override {
    left_column = column;
    top_row = r;
  }
  void SetFixedCols(int count) override { fixed_cols = count; }
  bool IsEditing() const override { return editing; }

  std::vector<std::vector<std::u16string>> cells;
  int row = 0;
  int selected_column = -1;
  int left_column = 0;
  int top_row = 1;
  int fixed_cols = 0;
  bool editing = false;
};

}  // namespace quillmere::testing

#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "preview/drawing_geometry.h"

namespace quillmere {

enum class FileDialogKind { kOpen, kSave };

// What one showing of a job's file dialog asks for.
struct FileRequest {
  FileDialogKind kind = FileDialogKind::kOpen;
  // Description and pattern pairs joined by "|", as the window texts hold
  // it ("DXF-Dateien (*.dxf)|*.dxf"): a translation replaces it whole.
  std::u16string filter;
  std::u16string default_extension;  // without the dot
  // The name chosen last time in this dialog, offered again; empty at first.
  std::string file_name;
};

// How far a running job is, as the status line shows it.
struct ProgressDisplay {
  std::u16string phase;
  int thousandths = -1;  // -1: the job gives no measure; the bar is busy
};

// What the preview of a finished job needs: its kind and files, and the
// input as it was before the job where the job replaced it.
struct JobPreviewRequest {
  JobMode mode = JobMode::kFindArcs;
  std::string input_name;
  std::string output_name;
  std::shared_ptr<const DrawingGeometry> input_before;
};

// The main window as the presenter drives it; each toolkit draws it.
class MainView {
 public:
  virtual ~MainView() = default;

  // While a job runs, the job buttons are disabled and the window calls
  // MainPresenter::ProgressTick every tenth of a second.
  virtual void SetJobRunning(bool running) = 0;
  // The job's phase, its progress bar and the button that stops it; nothing
  // hides all three.
  virtual void ShowProgress(const std::optional<ProgressDisplay>& progress) = 0;
  virtual void EnableCancel(bool enabled) = 0;
  // The result line (empty for none), with "Vorschau..." beside it or not.
  virtual void ShowResult(const std::u16string& line, bool with_preview) = 0;

  virtual void EnableNumberField(int field, bool enabled) = 0;
  virtual void TickModeBox(int box, bool ticked) = 0;
  // The check mark of the language menu, on item 0 (Deutsch) to 6.
  virtual void CheckLanguageItem(int item) = 0;
  // The toolkit's own texts (dialog buttons and the like) follow `language`.
  virtual void UseLanguage(int language) { (void)language; }

  // The chosen file, as the core's file calls take its name; nothing when
  // the dialog was cancelled.
  virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
  virtual void OpenPreview(const JobPreviewRequest& request) = 0;

  // Closes the window now; the presenter allows it (CloseRequested).
  virtual void CloseWindow() = 0;
  // A command-line run has ended: the program ends with `exit_code`.
  virtual void EndProgram(int exit_code) = 0;
};

}  // namespace quillmere

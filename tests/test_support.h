#pragma once

// Helpers shared by the test programs: a message sink that records what was
// shown, a temporary folder that cleans up after itself, and file helpers.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "support/utf.h"
#include "app/catalogue_notices.h"
#include "support/message_sink.h"

namespace quillmere::testing {

struct ShownMessage {
  bool is_error = false;
  std::u16string caption;  // empty for error boxes
  std::u16string text;

  std::string Utf8Text() const { return Utf16ToUtf8(text); }
};

// Records the messages shown, also those that the core's notices become.
class RecordingMessages : public MessageSink, public NoticeSink {
 public:
  void ShowError(const std::u16string& text) override { shown.push_back({true, u"", text}); }
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override {
    shown.push_back({false, caption, text});
  }
  void Notify(const Failure& failure) override { CatalogueNotices(*this).Notify(failure); }
  std::vector<ShownMessage> shown;
};

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("quillmere-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Joins lines with CR LF after each, the form every writer produces.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Joins lines with LF after each.
inline std::string Lf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// The input with every line end made CR LF, and a line end added to a last
// line without one: what a writer gives back for a file it did not change.
inline std::string WithCrLf(const std::string& input) {
  std::string out;
  std::size_t pos = 0;
  while (pos < input.size()) {
    std::size_t lf = input.find('\n', pos);
    std::size_t end = lf == std::string::npos ? input.size() : lf;
    std::size_t content_end = end;
    if (lf != std::string::npos && content_end > pos && input[content_end - 1] == '\r') --content_end;
    out.append(input, pos, content_end - pos);
    out.append("\r\n");
    pos = lf == std::string::npos ? input.size() : lf + 1;
  }
  return out;
}

// The sample drawings of the shared folder, when it is present.
inline std::vector<std::string> SampleDrawings() {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLMERE_SAMPLES_DIR, error)) {
    if (entry.path().extension() == ".dxf") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace quillmere::testing

#pragma once

// Helpers shared by the fuzz targets: a scratch folder for the files the
// readers take by name, a message sink that records, and the check that
// stops a run when an invariant does not hold.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/polyline_model.h"
#include "lines/line_records.h"
#include "app/catalogue_notices.h"
#include "support/message_sink.h"

// Every target defines this; libFuzzer or the replay driver calls it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace quillmere::fuzzing {

// Reports the broken invariant and aborts, which libFuzzer records as a
// crash with the input that caused it.
[[noreturn]] void InvariantFailed(const char* condition, const char* file, int line);

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::quillmere::fuzzing::InvariantFailed(#condition, __FILE__, __LINE__))

// A folder of this process for the input and output files, in /dev/shm when
// the system has it (the targets write a file for every input), removed
// when the process ends normally.
class ScratchFolder {
 public:
  static ScratchFolder& Get();

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const;
  // Writes `bytes` to the file `name` of the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // Removes everything inside the folder.
  void Empty() const;

 private:
  ScratchFolder();
  ~ScratchFolder();

  std::string path_;
};

std::string ReadWholeFile(const std::string& path);

// Whether the readers refuse `bytes` as no DXF text drawing: nothing at
// all, or a first line (after a UTF-8 byte-order mark) that is no 32-bit
// whole number once the characters up to 0x20 around it are gone, or one
// that does not end within the first 4096 bytes of a longer file.
bool RefusedAsNoDrawing(std::string_view bytes);
void WriteBytes(const std::string& path, std::string_view bytes);

class RecordingSink : public MessageSink, public NoticeSink {
 public:
  void ShowError(const std::u16string& text) override { errors.push_back(text); }
  void ShowInformation(const std::u16string& caption, const std::u16string& text) override {
    information.push_back(caption + u": " + text);
  }
  void Notify(const Failure& failure) override {
    CatalogueNotices(*this).Notify(failure);
  }
  std::vector<std::u16string> errors;
  std::vector<std::u16string> information;
};

// Small numbers taken from the end of the input, so that the bytes in front
// stay a plain drawing and the seeds can be real files.
struct TailParameters {
  std::uint8_t last = 0;
  std::uint8_t second_last = 0;
};
TailParameters TailOf(const std::uint8_t* data, std::size_t size);

// The input of one run written into the emptied scratch folder as a
// drawing, and the name its output goes to.
struct DrawingFiles {
  std::string bytes;
  std::string input_name;
  std::string output_name;
};
DrawingFiles WriteDrawing(const std::uint8_t* data, std::size_t size);

// The vertex count of every polyline of the model, as read.
std::vector<std::int32_t> VertexCounts(const PolylineModel& model);
std::vector<std::int32_t> VertexCounts(const LineModel& model);

}  // namespace quillmere::fuzzing

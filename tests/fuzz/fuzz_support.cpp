#include "fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace quillmere::fuzzing {

void InvariantFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", condition, file, line);
  std::fflush(stderr);
  std::abort();
}

ScratchFolder& ScratchFolder::Get() {
  static ScratchFolder folder;
  return folder;
}

ScratchFolder::ScratchFolder() {
  std::error_code error;
  const std::filesystem::path base =
      std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                       : std::filesystem::temp_directory_path();
  path_ = (base / ("quillmere-fuzz-" + std::to_string(::getpid()))).string();
  std::filesystem::remove_all(path_, error);
  std::filesystem::create_directories(path_, error);
  FUZZ_CHECK(!error);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::File(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

std::string ScratchFolder::Write(std::string_view name, std::string_view bytes) const {
  const std::string path = File(name);
  WriteBytes(path, bytes);
  return path;
}

void ScratchFolder::Empty() const {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(path_, ignored)) {
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

bool RefusedAsNoDrawing(std::string_view bytes) {
  if (bytes.empty()) return true;
  const std::size_t lf = bytes.find('\n');
  if (bytes.size() >= 4096 && (lf == std::string_view::npos || lf >= 4096)) return true;
  std::string_view line = bytes.substr(0, lf);
  if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32) line.remove_prefix(1);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.remove_suffix(1);
  if (line.starts_with('+')) line.remove_prefix(1);
  const bool negative = line.starts_with('-');
  if (negative) line.remove_prefix(1);
  if (line.empty()) return true;
  long long value = 0;
  for (const char c : line) {
    if (c < '0' || c > '9') return true;
    value = std::min(value * 10 + (c - '0'), 1LL << 40);  // far beyond the range, no overflow
  }
  return value > (negative ? 2147483648LL : 2147483647LL);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  FUZZ_CHECK(out.good());
}

TailParameters TailOf(const std::uint8_t* data, std::size_t size) {
  TailParameters tail;
  if (size >= 1) tail.last = data[size - 1];
  if (size >= 2) tail.second_last = data[size - 2];
  return tail;
}

DrawingFiles WriteDrawing(const std::uint8_t* data, std::size_t size) {
  const ScratchFolder& scratch = ScratchFolder::Get();
  scratch.Empty();
  DrawingFiles files;
  files.bytes.assign(reinterpret_cast<const char*>(data), size);
  files.input_name = scratch.Write("input.dxf", files.bytes);
  files.output_name = scratch.File("output.dxf");
  return files;
}

std::vector<std::int32_t> VertexCounts(const PolylineModel& model) {
  std::vector<std::int32_t> counts;
  for (const PolylineRecord& polyline : model.polylines) counts.push_back(polyline.VertexCount());
  return counts;
}

std::vector<std::int32_t> VertexCounts(const LineModel& model) {
  std::vector<std::int32_t> counts;
  for (const LineRecord& record : model.records) counts.push_back(record.VertexCount());
  return counts;
}

}  // namespace quillmere::fuzzing

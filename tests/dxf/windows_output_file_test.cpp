// The Windows version of the output file and the file input: wide paths for
// names the 8-bit code page cannot spell, replacing an existing file,
// refusing a read-only one, and devices written directly. Built for Windows
// only (run under wine by scripts/windows).

#ifdef _WIN32

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "dxf/input_lines.h"
#include "dxf/job_input.h"
#include "support/output_file.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::TempDir;

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string ReadAllLines(const std::string& path) {
  const Result<JobInput> input = JobInput::Open(path);
  if (!input) return "(not opened)";
  InputLines lines(*input);
  std::string text;
  for (std::string_view line; lines.Next(line);) text.append(line).append("|");
  return text;
}

bool WriteWhole(const std::string& path, std::string_view bytes) {
  Result<OutputFile> file = OutputFile::Create(path);
  if (!file) return false;
  file->Write(bytes);
  return file->Commit().ok();
}

TEST(WindowsOutputFile, NamesOutsideTheCodePageAreWrittenReplacedAndReadBack) {
  const TempDir dir;
  // Greek and a euro sign: no single Windows code page has both.
  const std::filesystem::path name = dir.path() / u8"Zeichnung \u03a9 \u20ac.dxf";
  const std::string path = Utf8(name);
  ASSERT_TRUE(WriteWhole(path, "0\r\nEOF\r\n"));
  EXPECT_TRUE(std::filesystem::exists(name));
  EXPECT_EQ(ReadAllLines(path), "0|EOF|");

  ASSERT_TRUE(WriteWhole(path, "0\nSECTION\n"));
  EXPECT_EQ(ReadAllLines(path), "0|SECTION|");
  // Only the output is left: the temporary file took its name.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WindowsOutputFile, AReadOnlyFileIsNotReplaced) {
  const TempDir dir;
  const std::string path = dir.File("protected.dxf");
  ASSERT_TRUE(WriteWhole(path, "previous"));
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(WriteWhole(path, "new"));
  EXPECT_EQ(testing::ReadFile(path), "previous");
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

TEST(WindowsOutputFile, TheNulDeviceIsWrittenDirectly) {
  const TempDir dir;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_TRUE(WriteWhole("NUL", "0\r\nEOF\r\n"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
  std::filesystem::current_path(previous);
}

TEST(WindowsFileInput, AFolderIsNoInput) {
  const TempDir dir;
  EXPECT_FALSE(JobInput::Open(dir.path().string()));
}

}  // namespace
}  // namespace quillmere

#endif

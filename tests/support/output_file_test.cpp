// The POSIX output file's permissions: a new output gets what the user's
// umask allows, a replaced one keeps its own, and the process's umask is
// never changed (other threads create files at the same time).

#ifndef _WIN32

#include "support/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace quillmere {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  Result<OutputFile> file = OutputFile::Create(path);
  return file && (file->Write(bytes), file->Commit().ok());
}

// Sets a umask for one test and puts the old one back.
class UmaskOf {
 public:
  explicit UmaskOf(mode_t mask) : previous_(::umask(mask)) {}
  ~UmaskOf() { ::umask(previous_); }

 private:
  mode_t previous_;
};

TEST(OutputFile, NewOutputsFollowTheUmaskReplacedOnesKeepTheirMode) {
  testing::TempDir dir;
  const UmaskOf mask(027);
  const std::string fresh = dir.File("fresh.dxf");
  ASSERT_TRUE(WriteWhole(fresh, "one"));
  EXPECT_EQ(ModeOf(fresh), 0640u);

  const std::string kept = dir.File("kept.dxf");
  ASSERT_TRUE(WriteWhole(kept, "old"));
  ::chmod(kept.c_str(), 0604);
  ASSERT_TRUE(WriteWhole(kept, "new"));
  EXPECT_EQ(ModeOf(kept), 0604u);
  EXPECT_EQ(testing::ReadFile(kept), "new");

  EXPECT_EQ(::umask(027), 027u);  // the umask is still the test's own
  // Only the two outputs: no temporary file stayed behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace quillmere

#endif  // _WIN32

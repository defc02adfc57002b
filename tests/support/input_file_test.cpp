// An input that is no regular file is read to its end into memory: a pipe
// too, which has no positions to read at.

#include "support/input_file.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>

#include <csignal>
#endif

#include "test_support.h"

namespace quillmere {
namespace {

TEST(InputFile, APipeIsReadWhole) {
#ifdef _WIN32
  GTEST_SKIP() << "no named pipes in the file system here";
#else
  testing::TempDir dir;
  const std::string pipe = dir.File("drawing.pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // A reader that gives up early must fail the test, not end it.
  std::signal(SIGPIPE, SIG_IGN);
  // More than a pipe holds at once, so that it takes many reads.
  std::string drawing;
  while (drawing.size() < (300u << 10)) drawing += " 10\n12.5\n 20\n-7.25\n";
  std::thread writer([&] { testing::WriteFile(pipe, drawing); });
  const Result<InputFile> input = InputFile::Open(pipe);
  writer.join();
  ASSERT_TRUE(input) << input.failure().system_error;
  EXPECT_FALSE(input->IsMapped());
  EXPECT_EQ(input->Bytes(), drawing);
#endif
}

}  // namespace
}  // namespace quillmere

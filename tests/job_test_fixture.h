#pragma once

// The set-up of the tests that run a job or a writer on files: an input and
// an output name in a temporary folder and a message recorder.

#include <gtest/gtest.h>

#include <string>

#include "dxf/polyline_model.h"
#include "test_support.h"

namespace quillmere::testing {

class JobFilesTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string in_ = dir_.File("in.dxf");
  std::string out_ = dir_.File("out.dxf");
  RecordingMessages messages_;
};

}  // namespace quillmere::testing

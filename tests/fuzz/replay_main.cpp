// Runs a fuzz target without libFuzzer: feeds every file named on the
// command line, and every file inside every folder named there, to
// LLVMFuzzerTestOneInput once. The normal build registers it with the
// target's corpus and regression folders, so the inputs that once crashed
// run in every test run. A broken invariant aborts; no input at all fails.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz_support.h"

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> inputs;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
      if (entry.is_regular_file(error)) inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
  } else if (std::filesystem::is_regular_file(path, error)) {
    inputs.push_back(path);
  } else {
    std::fprintf(stderr, "skipping %s: no such file or folder\n", path.c_str());
  }
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t count = 0;
  for (int k = 1; k < argc; ++k) {
    for (const std::filesystem::path& input : InputsOf(argv[k])) {
      std::ifstream in(input, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::fprintf(stderr, "%s\n", input.c_str());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++count;
    }
  }
  std::printf("%zu inputs ran without a finding\n", count);
  return count > 0 ? 0 : 1;
}

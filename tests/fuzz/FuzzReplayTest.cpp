// Every seed and every input that once failed, run through its fuzz target's driver: a fixed
// fault stays fixed in the ordinary and sanitizer builds, without clang. A broken invariant
// aborts the test program with the file's name.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "FuzzTargets.h"

namespace fs = std::filesystem;

namespace {

// Runs every file of folder/target through the target, in name order; returns how many.
int replay(const FuzzTarget& target, const char* folder) {
  const fs::path dir = fs::path(FUZZ_DATA_DIR) / folder / target.name;
  if (!fs::is_directory(dir)) {
    return 0;
  }
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    setFuzzInputLabel(file.string());
    target.run(bytes.data(), bytes.size());
  }
  return static_cast<int>(files.size());
}

class FuzzReplayTest : public testing::TestWithParam<FuzzTarget> {};

}  // namespace

void PrintTo(const FuzzTarget& target, std::ostream* out) { *out << target.name; }

namespace {

TEST_P(FuzzReplayTest, SeedsKeepTheInvariant) { EXPECT_GT(replay(GetParam(), "corpus"), 0); }

TEST_P(FuzzReplayTest, InputsThatOnceFailedKeepTheInvariant) { replay(GetParam(), "regressions"); }

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest, testing::ValuesIn(fuzzTargets()),
                         [](const testing::TestParamInfo<FuzzTarget>& info) { return std::string(info.param.name); });

}  // namespace

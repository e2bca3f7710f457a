#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/Progress.h"

namespace {

std::string written(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[256];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, got);
  }
  return text;
}

}  // namespace

// The first count shows at once, and the line is blanked at the end, so that the run's result
// starts at the left edge of a clean line; nothing shows after that. (Off a terminal nothing shows
// at all: PsftoolTest checks the commands' standard error.)
TEST(ProgressTest, ShowsTheFirstCountAtOnceAndBlanksTheLineAtTheEnd) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    Progress progress(file, "frame", 400);
    progress.show(1);
    progress.finish();
    progress.show(2);
  }
  const std::string line = "frame 1 of 400 (0%)";
  EXPECT_EQ(written(file), "\r" + line + "\r" + std::string(line.size(), ' ') + "\r");
  std::fclose(file);
}

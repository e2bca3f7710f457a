#include "tools/commands/Progress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// The first count shows at once, and the line is blanked at the end, so that the run's result
// starts at the left edge of a clean line; nothing shows after that. (Off a terminal nothing shows
// at all: PsftoolTest checks the commands' standard error.)
TEST(ProgressTest, ShowsTheFirstCountAtOnceAndBlanksTheLineAtTheEnd) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* file = open_memstream(&buffer, &size);
  ASSERT_NE(file, nullptr);
  {
    Progress progress(file, "frame", 400);
    progress.show(1);
    progress.finish();
    progress.show(2);
  }
  std::fclose(file);
  const std::string written(buffer, size);
  std::free(buffer);
  const std::string line = "frame 1 of 400 (0%)";
  EXPECT_EQ(written, "\r" + line + "\r" + std::string(line.size(), ' ') + "\r");
}

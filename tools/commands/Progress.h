#pragma once
// A line on a terminal that counts the steps of a long run, rewritten in place a few times a
// second, so that a run of minutes shows that it is alive. Nothing at all when standard error is
// not a terminal: logs, pipes and tests get the results alone.

#include <chrono>
#include <cstdint>
#include <cstdio>

class Progress {
 public:
  // Counts what ("frame", "step") up to total on standard error when it is a terminal.
  Progress(const char* what, uint64_t total);
  // Counts on out, or nowhere when out is null.
  Progress(std::FILE* out, const char* what, uint64_t total);
  // Calls finish.
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // done of total are finished; shown at once the first time, then at most every fifth of a second.
  void show(uint64_t done);
  // Blanks the line, so that what the run prints next starts on a clean one; shows nothing more.
  void finish();

 private:
  std::FILE* out_;
  const char* what_;
  uint64_t total_;
  std::chrono::steady_clock::time_point next_{};
  int width_ = 0;
};

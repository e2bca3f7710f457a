#pragma once
// Frames per second as XScreenSaver's programs show theirs: counted over a second or a little
// more and shown until the next count, so that the figure holds still long enough to read.

#include <cstdint>

class FpsMeter {
 public:
  // Seconds of any steady clock, the same one throughout.
  explicit FpsMeter(double startSeconds);
  // One frame has been drawn.
  void countFrame(double nowSeconds);
  // The rate of the last whole count; 0 until the first second is over.
  double shown() const { return shown_; }
  uint64_t frames() const { return frames_; }
  // Every frame since the start over the time since the start; 0 before any time has passed.
  double average(double nowSeconds) const;

 private:
  double start_;
  double countStart_;
  uint64_t counted_ = 0;
  uint64_t frames_ = 0;
  double shown_ = 0.0;
};

#pragma once
// The Linux screensaver's pace: a frame starts no sooner than one interval after the one before.
// The scenes advance one step a frame and are made for 60 frames a second, the pace of a display
// that syncs to its refresh; without that sync (a software renderer, a driver set not to wait)
// every motion would run as fast as the machine draws and the program would take a whole core.

#include <cstdint>

class FramePacer {
 public:
  // The scenes' own pace: 60 frames a second, in microseconds.
  static constexpr uint32_t kSceneInterval = 16667;
  // -delay's largest value: a frame a second is as slow as a screensaver goes.
  static constexpr uint32_t kMaxInterval = 1000000;

  // interval: microseconds from one frame's start to the next's; 0 leaves the pace to the display.
  // Seconds of any steady clock, the same one throughout.
  FramePacer(uint32_t intervalMicroseconds, double startSeconds);

  // Seconds to wait at nowSeconds, after a frame is drawn, before the next one starts; takes that
  // start as the next frame's. A frame that ran late starts the next at once and the pace counts
  // on from there, so a slow stretch is never made up for by a burst of fast frames.
  double waitBeforeNextFrame(double nowSeconds);

 private:
  double interval_;
  double nextStart_;
};

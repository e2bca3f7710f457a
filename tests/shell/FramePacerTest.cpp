#include "shell/FramePacer.h"

#include <gtest/gtest.h>

TEST(FramePacerTest, QuickFramesWaitForTheNextIntervalFromTheLastStart) {
  FramePacer pacer(20000, 100.0);
  // Drawn in 5 ms: 15 ms to wait; the next frame starts at 100.02.
  EXPECT_NEAR(pacer.waitBeforeNextFrame(100.005), 0.015, 1e-9);
  // The next drawn in 1 ms from its start: waits until 100.04.
  EXPECT_NEAR(pacer.waitBeforeNextFrame(100.021), 0.019, 1e-9);
}

TEST(FramePacerTest, ALateFrameStartsTheNextAtOnceWithoutABurstAfterwards) {
  FramePacer pacer(20000, 0.0);
  // The first frame took 70 ms, three and a half intervals.
  EXPECT_EQ(pacer.waitBeforeNextFrame(0.070), 0.0);
  // The pace counts on from the late start: the next waits a whole interval, not none.
  EXPECT_NEAR(pacer.waitBeforeNextFrame(0.071), 0.019, 1e-9);
}

TEST(FramePacerTest, ZeroLeavesThePaceToTheDisplay) {
  FramePacer pacer(0, 5.0);
  EXPECT_EQ(pacer.waitBeforeNextFrame(5.0), 0.0);
  EXPECT_EQ(pacer.waitBeforeNextFrame(5.0), 0.0);
  EXPECT_EQ(pacer.waitBeforeNextFrame(5.1), 0.0);
}

TEST(FramePacerTest, TheScenesPaceIsSixtyFramesASecond) {
  FramePacer pacer(FramePacer::kSceneInterval, 0.0);
  double now = 0.0;
  int frames = 0;
  // Frames that take no time at all: a second holds sixty of them.
  while (now < 1.0 - 1e-9) {
    now += pacer.waitBeforeNextFrame(now);
    ++frames;
  }
  EXPECT_EQ(frames, 60);
}

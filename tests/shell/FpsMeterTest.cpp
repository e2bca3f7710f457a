#include "shell/FpsMeter.h"

#include <gtest/gtest.h>

TEST(FpsMeterTest, NothingIsShownBeforeTheFirstSecond) {
  FpsMeter meter(100.0);
  for (int i = 1; i < 60; ++i) {
    meter.countFrame(100.0 + i / 60.0);
  }
  EXPECT_EQ(meter.shown(), 0.0);
  EXPECT_EQ(meter.frames(), 59u);
}

TEST(FpsMeterTest, TheFigureChangesOnceASecond) {
  FpsMeter meter(0.0);
  for (int i = 1; i <= 50; ++i) {
    meter.countFrame(i * 0.02);
  }
  EXPECT_DOUBLE_EQ(meter.shown(), 50.0);
  // Faster frames do not show until the next second is over.
  for (int i = 1; i < 100; ++i) {
    meter.countFrame(1.0 + i * 0.01);
  }
  EXPECT_DOUBLE_EQ(meter.shown(), 50.0);
  meter.countFrame(2.0);
  EXPECT_NEAR(meter.shown(), 100.0, 1e-9);
}

TEST(FpsMeterTest, ASlowFrameCountsOverItsWholeTime) {
  FpsMeter meter(0.0);
  meter.countFrame(4.0);
  EXPECT_DOUBLE_EQ(meter.shown(), 0.25);
}

TEST(FpsMeterTest, TheAverageCoversTheWholeRun) {
  FpsMeter meter(10.0);
  EXPECT_EQ(meter.average(10.0), 0.0);
  for (int i = 1; i <= 300; ++i) {
    meter.countFrame(10.0 + i / 100.0);
  }
  EXPECT_DOUBLE_EQ(meter.average(13.0), 100.0);
  EXPECT_DOUBLE_EQ(meter.average(16.0), 50.0);
}

// The frame figures: which pixels count as lit, and what the means are taken over.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/commands/FrameStats.h"

namespace {

// n pixels of one colour, alpha 255.
std::vector<uint8_t> pixels(size_t n, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < n; ++i) {
    bytes.insert(bytes.end(), {r, g, b, 255});
  }
  return bytes;
}

std::vector<uint8_t> joined(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST(FrameStatsTest, ABlackFrameHasNothingLit) {
  const FrameStats stats = FrameStats::of(pixels(12, 0, 0, 0));
  EXPECT_EQ(stats.litShare, 0.0);
  EXPECT_EQ(stats.meanGrey, 0.0);
  EXPECT_EQ(stats.meanSaturation, 0.0);
}

// 6% of 255 is 15.3: a byte sum of 45 (grey 15) is dark, 46 is lit, whichever channels carry it.
TEST(FrameStatsTest, LitMeansTheMeanOfTheChannelsAboveSixPercent) {
  EXPECT_EQ(FrameStats::of(pixels(1, 15, 15, 15)).litShare, 0.0);
  EXPECT_EQ(FrameStats::of(pixels(1, 16, 15, 15)).litShare, 1.0);
  EXPECT_EQ(FrameStats::of(pixels(1, 45, 0, 0)).litShare, 0.0);
  EXPECT_EQ(FrameStats::of(pixels(1, 0, 0, 46)).litShare, 1.0);
}

TEST(FrameStatsTest, TheShareAndGreyAreOverAllPixelsAndAlphaIsIgnored) {
  std::vector<uint8_t> frame = joined(pixels(3, 0, 0, 0), pixels(1, 255, 255, 255));
  frame[3] = 0;
  const FrameStats stats = FrameStats::of(frame);
  EXPECT_DOUBLE_EQ(stats.litShare, 0.25);
  EXPECT_DOUBLE_EQ(stats.meanGrey, 0.25);
}

// Dark pixels are mostly the black background, whose hue means nothing: they must not dilute the
// saturation of what is drawn.
TEST(FrameStatsTest, SaturationIsTheHsvSaturationOfTheLitPixelsOnly) {
  const FrameStats stats =
      FrameStats::of(joined(joined(pixels(2, 255, 0, 0), pixels(2, 200, 200, 200)), pixels(4, 10, 0, 0)));
  EXPECT_DOUBLE_EQ(stats.litShare, 0.5);
  EXPECT_DOUBLE_EQ(stats.meanSaturation, 0.5);
  EXPECT_DOUBLE_EQ(FrameStats::of(pixels(1, 200, 100, 50)).meanSaturation, 0.75);
}

TEST(FrameStatsTest, TheLineGivesEachFigure) {
  const FrameStats stats = FrameStats::of(joined(pixels(3, 0, 0, 0), pixels(1, 255, 0, 0)));
  EXPECT_EQ(stats.text(), "lit 25.0%, mean grey 0.083, mean saturation 1.00");
}

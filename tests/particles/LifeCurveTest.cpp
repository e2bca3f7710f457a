#include <gtest/gtest.h>

#include "particles/ColorCurve.h"
#include "particles/SizeCurve.h"

namespace {

ErrorCode sampleCode(const SizeCurve& curve, float p) {
  try {
    curve.sample(p);
  } catch (const vtException& e) {
    return e.code;
  }
  return ErrorCode::NotEnoughMemory;
}

}  // namespace

TEST(LifeCurveTest, RampFromZeroToOneOverAHundredEntries) {
  SizeCurve curve(100);
  curve.addKey(0.0f, 0);
  curve.addKey(1.0f, 100);
  curve.build();
  for (int j = 0; j < 100; ++j) {
    EXPECT_FLOAT_EQ(curve.table()[j], j / 100.0f) << j;
  }
  EXPECT_FLOAT_EQ(curve.sample(100.0f), 0.99f);
  EXPECT_FLOAT_EQ(curve.sample(50.0f), 0.49f);
  EXPECT_EQ(curve.sample(0.0f), 0.0f);
}

TEST(LifeCurveTest, TheLowerSegmentWritesTheSharedIndex) {
  SizeCurve curve(100);
  curve.addKey(1.0f, 100);
  curve.addKey(0.0f, 50);
  curve.addKey(0.5f, 0);
  curve.build();
  EXPECT_FLOAT_EQ(curve.table()[99], 50.0f / 51.0f);
  EXPECT_EQ(curve.table()[0], 0.5f);
  // 49 is both the upper segment's first entry and the lower segment's last: the lower wins.
  EXPECT_NEAR(curve.table()[49], 0.01f, 1e-6f);  // 0.5 - 49 * 0.01 cancels to about 0.01000002
  EXPECT_FLOAT_EQ(curve.table()[50], 1.0f / 51.0f);
}

TEST(LifeCurveTest, BuildSortsKeysByDescendingPercent) {
  ColorCurve curve(10);
  curve.addKey({0, 0, 0, 0}, 0);
  curve.addKey({0, 0, 0, 0}, 40);
  curve.addKey({0, 0, 0, 0}, 100);
  curve.build();
  ASSERT_EQ(curve.keys().size(), 3u);
  EXPECT_EQ(curve.keys()[0].percent, 100);
  EXPECT_EQ(curve.keys()[1].percent, 40);
  EXPECT_EQ(curve.keys()[2].percent, 0);
}

// Found by fuzzing: with more than 16 keys an unstable sort reordered keys of equal percent on
// each build, so a scene written back read to a different table.
TEST(LifeCurveTest, KeysOfEqualPercentKeepTheirOrderThroughEveryBuild) {
  SizeCurve curve(100);
  for (int i = 0; i < 40; ++i) {
    curve.addKey(static_cast<float>(i), i % 2 == 0 ? 0 : 100);
  }
  curve.build();
  curve.build();
  ASSERT_EQ(curve.keys().size(), 40u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(curve.keys()[i].value, static_cast<float>(2 * i + 1)) << i;
    EXPECT_EQ(curve.keys()[20 + i].value, static_cast<float>(2 * i)) << i;
  }
  // The last key at 0 percent is the lower end of the one segment that spans the table.
  EXPECT_EQ(curve.table()[0], 38.0f);
}

TEST(LifeCurveTest, ColourChannelsInterpolateAlike) {
  ColorCurve curve(100);
  curve.addKey({1, 0, 0, 0}, 0);
  curve.addKey({0, 0, 1, 1}, 100);
  curve.build();
  for (float p : {0.0f, 12.5f, 50.0f, 99.0f, 100.0f}) {
    const Color4 c = curve.sample(p);
    EXPECT_FLOAT_EQ(c.a, c.b) << p;
    EXPECT_FLOAT_EQ(c.r, 1.0f - c.b) << p;
    EXPECT_EQ(c.g, 0.0f) << p;
  }
}

TEST(LifeCurveTest, SamplingOutsideZeroToHundredIsIllegalIndex) {
  SizeCurve curve(100);
  curve.addKey(1.0f, 0);
  curve.build();
  EXPECT_EQ(sampleCode(curve, 100.5f), ErrorCode::IllegalIndex);
  EXPECT_EQ(sampleCode(curve, -0.1f), ErrorCode::IllegalIndex);
  EXPECT_EQ(sampleCode(curve, std::nanf("")), ErrorCode::IllegalIndex);
}

TEST(LifeCurveTest, HundredPercentIsTheLastEntryAtEveryResolution) {
  for (int32_t n : {1, 2, 3, 7, 100, 255, 256, 1000, 4096, 65536}) {
    SizeCurve curve(n);
    curve.addKey(0.0f, 0);
    curve.addKey(1.0f, 100);
    curve.build();
    EXPECT_EQ(curve.sample(100.0f), curve.table()[static_cast<size_t>(n - 1)]) << n;
  }
}

TEST(LifeCurveTest, EntriesNoSegmentCoversHoldTheNearestKey) {
  SizeCurve curve(100);
  curve.addKey(0.25f, 20);
  curve.addKey(0.75f, 60);
  curve.build();
  EXPECT_EQ(curve.table()[0], 0.25f);
  EXPECT_EQ(curve.table()[18], 0.25f);
  EXPECT_EQ(curve.table()[19], 0.25f);  // the lower key's own entry starts its segment
  EXPECT_EQ(curve.table()[60], 0.75f);
  EXPECT_EQ(curve.table()[99], 0.75f);
}

TEST(LifeCurveTest, OneKeyIsConstantAndNoKeysIsTheParticleDefault) {
  SizeCurve one(50);
  one.addKey(2.0f, 70);
  one.build();
  for (float v : one.table()) EXPECT_EQ(v, 2.0f);

  SizeCurve none(5);
  none.build();
  for (float v : none.table()) EXPECT_EQ(v, 0.5f);

  ColorCurve white(5);
  white.build();
  EXPECT_EQ(white.sample(30.0f).r, 1.0f);
  EXPECT_EQ(white.sample(30.0f).a, 1.0f);
}

TEST(LifeCurveTest, KeysAboveHundredAreSkippedOrClipped) {
  SizeCurve curve(100);
  curve.addKey(0.0f, 0);
  curve.addKey(1.0f, 200);
  curve.addKey(5.0f, 300);
  curve.build();
  // The 200..300 segment starts past the end and is skipped; 0..200 is clipped to the table,
  // its step taken over the entries it fills.
  EXPECT_EQ(curve.table()[0], 0.0f);
  EXPECT_FLOAT_EQ(curve.table()[99], 0.99f);
}

TEST(LifeCurveTest, RebuildingStartsFromScratch) {
  SizeCurve curve(10);
  curve.addKey(1.0f, 0);
  curve.build();
  curve.addKey(3.0f, 100);
  curve.build();
  EXPECT_EQ(curve.table()[0], 1.0f);
  EXPECT_FLOAT_EQ(curve.table()[9], 1.0f + 9 * 0.2f);
}

#include "core/Random.h"

#include <gtest/gtest.h>

#include "core/FloatBits.h"

namespace {

// The state that makes the next raw value r: the formula's step inverted (214013 is odd, so it
// has an inverse modulo 2^32).
uint32_t stateBeforeRaw(int32_t raw) {
  uint32_t inverse = 1;
  for (int i = 0; i < 5; ++i) {
    inverse *= 2u - 214013u * inverse;  // Newton's iteration doubles the correct low bits
  }
  const uint32_t next = static_cast<uint32_t>(raw) << 16;
  return (next - 2531011u) * inverse;
}

}  // namespace

TEST(RandomTest, FollowsTheRuntimeFormula) {
  Random::seed(1);
  // The classic sequence of the C runtime's rand() seeded with 1.
  EXPECT_EQ(Random::randRaw(), 41);
  EXPECT_EQ(Random::randRaw(), 18467);
  EXPECT_EQ(Random::randRaw(), 6334);
  EXPECT_EQ(Random::randRaw(), 26500);
}

TEST(RandomTest, StateIsSetAndRead) {
  Random::seed(0xDEADBEEF);
  EXPECT_EQ(Random::state(), 0xDEADBEEFu);
  Random::randRaw();
  EXPECT_EQ(Random::state(), 0xDEADBEEFu * 214013u + 2531011u);
}

TEST(RandomTest, SignedIsExactlyOneAtRawZeroAndNeverMinusOne) {
  Random::seed(stateBeforeRaw(0));
  EXPECT_EQ(Random::randSigned(), 1.0f);
  Random::seed(stateBeforeRaw(32767));
  EXPECT_EQ(Random::randSigned(), -16383.0f / 16384.0f);
}

TEST(RandomTest, UnitCoversZeroButNotOne) {
  Random::seed(stateBeforeRaw(0));
  EXPECT_EQ(Random::randUnit(), 0.0f);
  Random::seed(stateBeforeRaw(32767));
  EXPECT_EQ(Random::randUnit(), 32767.0f / 32768.0f);
}

TEST(RandomTest, FullAngleAtRawZeroFallsShortOfTwoPi) {
  Random::seed(stateBeforeRaw(0));
  const float angle = Random::randFullAngle();
  EXPECT_FLOAT_EQ(angle, 6.2830582f);
  EXPECT_EQ(bitsOf(angle / 16384.0f), 0x39C90ED0u);
}

TEST(RandomTest, HalfAngleAndLiftFactorsHaveTheirBitPatterns) {
  Random::seed(stateBeforeRaw(16383));
  EXPECT_EQ(bitsOf(Random::randHalfAngle()), 0x39490ED0u);
  Random::seed(stateBeforeRaw(1));
  EXPECT_EQ(bitsOf(Random::randLift()), 0x36CCCCCDu);
  Random::seed(stateBeforeRaw(32767));
  EXPECT_LT(Random::randLift(), 0.2f);
}

TEST(RandomTest, EveryDrawConsumesExactlyOneRawValue) {
  Random::seed(7);
  Random::randUnit();
  Random::randSigned();
  Random::randFullAngle();
  Random::randHalfAngle();
  Random::randLift();
  const uint32_t afterDraws = Random::state();
  Random::seed(7);
  for (int i = 0; i < 5; ++i) Random::randRaw();
  EXPECT_EQ(Random::state(), afterDraws);
}

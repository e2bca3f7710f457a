#include "modifiers/DampModifier.h"

#include <gtest/gtest.h>

#include "ModifierTesting.h"
#include "support/Bytes.h"

TEST(DampModifierTest, DefaultsHalveASpeedOfFive) {
  DampModifier damp;
  EXPECT_EQ(damp.minSpeedSq, 0.0f);
  EXPECT_EQ(damp.maxSpeedSq, 10000.0f);
  TestParticles particles;
  Particle& p = particles.add({0, 0, 0}, {3, 0, 4});
  damp.apply(particles.list);
  expectSameBits(p.velocity, {1.5f, 0.0f, 2.0f});
}

TEST(DampModifierTest, TheBandIsOpenAtBothEnds) {
  DampModifier damp;
  TestParticles particles;
  Particle& resting = particles.add({0, 0, 0}, {0, 0, 0});      // 0 is not above minSpeedSq 0
  Particle& atMax = particles.add({0, 0, 0}, {0, -100, 0});     // 10000 is not below maxSpeedSq
  Particle& beyond = particles.add({0, 0, 0}, {60, 80, 0.5f});  // speed just over 100
  Particle& inside = particles.add({0, 0, 0}, {0, 99.99f, 0});
  damp.apply(particles.list);
  expectSameBits(resting.velocity, {0, 0, 0});
  expectSameBits(atMax.velocity, {0, -100, 0});
  expectSameBits(beyond.velocity, {60, 80, 0.5f});
  expectSameBits(inside.velocity, {0, 99.99f * 0.5f, 0});
}

TEST(DampModifierTest, InvertedBandNeverDampsAndNegativeBoundsActLikeTheirMagnitude) {
  DampModifier inverted;
  inverted.minSpeed = 2.0f;
  inverted.maxSpeed = 1.0f;
  inverted.derive();
  TestParticles particles;
  Particle& slow = particles.add({0, 0, 0}, {0.5f, 0, 0});
  Particle& middle = particles.add({0, 0, 0}, {1.5f, 0, 0});
  Particle& fast = particles.add({0, 0, 0}, {3, 0, 0});
  inverted.apply(particles.list);
  expectSameBits(slow.velocity, {0.5f, 0, 0});
  expectSameBits(middle.velocity, {1.5f, 0, 0});
  expectSameBits(fast.velocity, {3, 0, 0});

  DampModifier negative;
  negative.minSpeed = -1.0f;
  negative.maxSpeed = -2.0f;
  negative.factor = {2.0f, 1.0f, 0.0f};
  negative.derive();
  negative.apply(particles.list);
  expectSameBits(slow.velocity, {0.5f, 0, 0});
  expectSameBits(middle.velocity, {3.0f, 0, 0});
  expectSameBits(fast.velocity, {3, 0, 0});
}

TEST(DampModifierTest, ReadRecomputesTheSquaresAndWritesOnlyTheStoredFields) {
  const Bytes bytes = Bytes().tag("MDMP").vec({0.9f, 1.0f, 1.5f}).f32(-3.0f).f32(7.0f);
  const auto damp = readAs<DampModifier>(bytes.data());
  ASSERT_NE(damp, nullptr);
  expectSameBits(damp->factor, {0.9f, 1.0f, 1.5f});
  EXPECT_EQ(damp->minSpeed, -3.0f);
  EXPECT_EQ(damp->minSpeedSq, 9.0f);
  EXPECT_EQ(damp->maxSpeed, 7.0f);
  EXPECT_EQ(damp->maxSpeedSq, 49.0f);
  EXPECT_EQ(writtenChild(*damp), bytes.data());
  const auto copy = roundTrip(*damp);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->minSpeedSq, 9.0f);
  EXPECT_EQ(copy->maxSpeedSq, 49.0f);
}

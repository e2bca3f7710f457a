#include "modifiers/ExplosionModifier.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModifierTesting.h"
#include "support/Bytes.h"

TEST(ExplosionModifierTest, StartsActiveAndDecaysByOneAndAHalfPerStepEvenWhileInactive) {
  ExplosionModifier explosion;
  EXPECT_EQ(explosion.strength, ExplosionModifier::kStartingStrength);
  EXPECT_TRUE(explosion.isActive());
  float expected = ExplosionModifier::kStartingStrength;
  int firstInactive = 0;
  for (int step = 1; step <= 40; ++step) {
    explosion.advance();
    expected /= 1.5f;
    EXPECT_EQ(explosion.strength, expected) << step;
    EXPECT_NEAR(explosion.strength * std::pow(1.5, step) / ExplosionModifier::kStartingStrength, 1.0, 1e-5);
    if (firstInactive == 0 && !explosion.isActive()) {
      firstInactive = step;
    }
    // Once below the threshold it never acts again.
    EXPECT_EQ(explosion.isActive(), firstInactive == 0) << step;
  }
  // 1.5^22 < 10000 <= 1.5^23.
  EXPECT_EQ(firstInactive, 23);
  EXPECT_GT(explosion.strength, 0.0f);
}

TEST(ExplosionModifierTest, ThresholdIsGreaterOrEqual) {
  ExplosionModifier explosion;
  explosion.strength = 0.0001f;
  EXPECT_TRUE(explosion.isActive());
  explosion.strength = std::nextafter(0.0001f, 0.0f);
  EXPECT_FALSE(explosion.isActive());
}

TEST(ExplosionModifierTest, PushesAwayFromTheCentreByStrengthOverDistancePlusOne) {
  ExplosionModifier explosion;
  explosion.centre = {1, 1, 1};
  explosion.strength = 4.0f;
  TestParticles particles;
  Particle& p = particles.add({4, 1, 1}, {0, 0, 0});
  explosion.apply(particles.list);
  // Just under 4 / (3 + 1) = 1: the direction is divided by the distance plus 0.00001.
  EXPECT_LT(p.velocity.x, 1.0f);
  EXPECT_NEAR(p.velocity.x, 1.0f, 1e-5f);
  EXPECT_EQ(p.velocity.y, 0.0f);
  EXPECT_EQ(p.velocity.z, 0.0f);
}

TEST(ExplosionModifierTest, MeasuresFromTheBasePositionAndLeavesTheCentreAlone) {
  ExplosionModifier explosion;
  explosion.strength = 2.0f;
  TestParticles particles;
  Particle& orbiting = particles.add({0, -1, 0}, {3, 0, 0});
  orbiting.orbitRadius = 5.0f;  // drawn far above the centre; the push still goes down
  Particle& onCentre = particles.add({0, 0, 0}, {0.5f, 0, 0});
  explosion.apply(particles.list);
  EXPECT_EQ(orbiting.velocity.x, 3.0f);
  EXPECT_NEAR(orbiting.velocity.y, -1.0f, 2e-5f);
  expectSameBits(onCentre.velocity, {0.5f, 0, 0});
}

TEST(ExplosionModifierTest, StoresTheCentreAndDecayButNotTheStrength) {
  ExplosionModifier explosion;
  explosion.centre = {1, 2, 3};
  explosion.decay = 0.25f;
  explosion.strength = 0.5f;
  EXPECT_EQ(writtenChild(explosion), Bytes().tag("MEXP").vec({1, 2, 3}).f32(0.25f).data());
  const auto copy = roundTrip(explosion);
  ASSERT_NE(copy, nullptr);
  expectSameBits(copy->centre, {1, 2, 3});
  EXPECT_EQ(copy->decay, 0.25f);
  EXPECT_EQ(copy->strength, ExplosionModifier::kStartingStrength);
}

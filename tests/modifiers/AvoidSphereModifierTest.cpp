#include "modifiers/AvoidSphereModifier.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModifierTesting.h"
#include "support/Bytes.h"

TEST(AvoidSphereModifierTest, ApproachBesideTheCentreIsBentAwayAtTheSameSpeed) {
  AvoidSphereModifier sphere;
  TestParticles particles;
  Particle& p = particles.add({-5, 0.5f, 0}, {1, 0, 0});
  sphere.apply(particles.list);
  EXPECT_NEAR(p.velocity.x, 0.99829f, 5e-6f);
  EXPECT_NEAR(p.velocity.y, 0.05841f, 5e-6f);
  EXPECT_EQ(p.velocity.z, 0.0f);
  EXPECT_FLOAT_EQ(Vec3::lengthSquared(p.velocity), 1.0f);
}

TEST(AvoidSphereModifierTest, LookAheadIsTheSpeedTimesTheFactor) {
  AvoidSphereModifier sphere;
  TestParticles particles;
  // The near surface is 4.1339746 ahead; at speed 0.1 the look-ahead is 1.
  Particle& slow = particles.add({-5, 0.5f, 0}, {0.1f, 0, 0});
  sphere.apply(particles.list);
  expectSameBits(slow.velocity, {0.1f, 0, 0});
  sphere.lookAheadFactor = 41.4f;
  sphere.apply(particles.list);
  EXPECT_GT(slow.velocity.y, 0.0f);
}

TEST(AvoidSphereModifierTest, InsideMovingAwayGrazingOrMissingIsLeftAlone) {
  AvoidSphereModifier sphere;
  TestParticles particles;
  Particle& inside = particles.add({0.2f, 0, 0}, {1, 0, 0});
  Particle& away = particles.add({-5, 0.5f, 0}, {-1, 0, 0});
  Particle& grazing = particles.add({-5, 1, 0}, {1, 0, 0});
  Particle& missing = particles.add({-5, 2, 0}, {1, 0, 0});
  sphere.apply(particles.list);
  expectSameBits(inside.velocity, {1, 0, 0});
  expectSameBits(away.velocity, {-1, 0, 0});
  expectSameBits(grazing.velocity, {1, 0, 0});
  expectSameBits(missing.velocity, {1, 0, 0});
}

TEST(AvoidSphereModifierTest, HeadOnApproachGivesNaN) {
  AvoidSphereModifier sphere;
  TestParticles particles;
  Particle& p = particles.add({-5, 0, 0}, {1, 0, 0});
  sphere.apply(particles.list);
  EXPECT_TRUE(std::isnan(p.velocity.x));
}

TEST(AvoidSphereModifierTest, ReadDerivesTheSquaredRadius) {
  const Bytes bytes = Bytes().tag("MAVS").vec({1, 2, 3}).f32(-2.5f).f32(4.0f);
  const auto sphere = readAs<AvoidSphereModifier>(bytes.data());
  ASSERT_NE(sphere, nullptr);
  EXPECT_EQ(sphere->radius, -2.5f);
  EXPECT_EQ(sphere->radiusSq, 6.25f);
  EXPECT_EQ(sphere->lookAheadFactor, 4.0f);
  const auto copy = roundTrip(*sphere);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->radiusSq, 6.25f);
  expectSameBits(copy->centre, {1, 2, 3});
}

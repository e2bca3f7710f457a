#include "modifiers/AvoidBoxModifier.h"

#include <gtest/gtest.h>

#include "ModifierTesting.h"

TEST(AvoidBoxModifierTest, HeadOnAlongAFaceNormalIsNotDeflected) {
  AvoidBoxModifier box;
  float t = 0.0f;
  Vec3 normal;
  ASSERT_TRUE(box.rayHit({0.5f, 0.5f, -5}, {0, 0, 1}, t, normal));
  EXPECT_EQ(t, 5.0f);
  expectSameBits(normal, {0, 0, -1});
  TestParticles particles;
  Particle& p = particles.add({0.5f, 0.5f, -5}, {0, 0, 2});
  box.apply(particles.list);
  expectVec(p.velocity, {0, 0, 2});
}

TEST(AvoidBoxModifierTest, GlancingApproachIsBentAtTheSameSpeed) {
  AvoidBoxModifier box;
  const Vec3 velocity(0, 0.1f, 2);
  float t = 0.0f;
  Vec3 normal;
  ASSERT_TRUE(box.rayHit({0.9f, 0.5f, -5}, velocity / 2.0024984f, t, normal));
  EXPECT_FLOAT_EQ(t, 5.0062461f);
  expectSameBits(normal, {0, 0, -1});
  TestParticles particles;
  Particle& p = particles.add({0.9f, 0.5f, -5}, velocity);
  box.apply(particles.list);
  EXPECT_EQ(p.velocity.x, 0.0f);
  EXPECT_NEAR(p.velocity.y, 0.10398f, 5e-6f);
  EXPECT_NEAR(p.velocity.z, 1.99980f, 5e-6f);
  EXPECT_FLOAT_EQ(Vec3::lengthSquared(p.velocity), Vec3::lengthSquared(velocity));
}

TEST(AvoidBoxModifierTest, MovingAwayOrBeyondTheLookAheadIsLeftAlone) {
  AvoidBoxModifier box;
  TestParticles particles;
  Particle& away = particles.add({0.9f, 0.5f, -5}, {0, 0.1f, -2});
  box.apply(particles.list);
  expectSameBits(away.velocity, {0, 0.1f, -2});

  box.lookAhead = 5.0f;
  Particle& far = particles.add({0.9f, 0.5f, -5}, {0, 0.1f, 2});
  box.apply(particles.list);
  expectSameBits(far.velocity, {0, 0.1f, 2});
  box.lookAhead = 5.01f;
  box.apply(particles.list);
  EXPECT_GT(far.velocity.y, 0.1f);
}

TEST(AvoidBoxModifierTest, ParallelRayOutsideTheSlabMisses) {
  AvoidBoxModifier box;
  float t = 0.0f;
  Vec3 normal;
  EXPECT_FALSE(box.rayHit({1.5f, 0.5f, -5}, {0, 0, 1}, t, normal));
  EXPECT_FALSE(box.rayHit({-0.5f, 0.5f, -5}, {0, 0, 1}, t, normal));
  // On a face counts as between the faces.
  EXPECT_TRUE(box.rayHit({1.0f, 0.0f, -5}, {0, 0, 1}, t, normal));
}

TEST(AvoidBoxModifierTest, TiedEntryDistancesGoToTheLaterAxis) {
  AvoidBoxModifier box;
  const float c = 0.70710677f;
  float t = 0.0f;
  Vec3 normal;
  ASSERT_TRUE(box.rayHit({-1, -1, 0.5f}, {c, c, 0}, t, normal));
  expectSameBits(normal, {0, -1, 0});
  EXPECT_FLOAT_EQ(t, 1.0f / c);
  const float e = 0.57735026f;
  ASSERT_TRUE(box.rayHit({-1, -1, -1}, {e, e, e}, t, normal));
  expectSameBits(normal, {0, 0, -1});
  ASSERT_TRUE(box.rayHit({2, -1, -1}, {-e, e, e}, t, normal));
  expectSameBits(normal, {0, 0, -1});
  ASSERT_TRUE(box.rayHit({2, -1, 0.5f}, {-c, c, 0}, t, normal));
  expectSameBits(normal, {0, -1, 0});
  ASSERT_TRUE(box.rayHit({2, 0.5f, 0.5f}, {-1, 0, 0}, t, normal));
  expectSameBits(normal, {1, 0, 0});
}

TEST(AvoidBoxModifierTest, ParticleInsideTheBoxIsBentToo) {
  AvoidBoxModifier box;
  float t = 0.0f;
  Vec3 normal;
  ASSERT_TRUE(box.rayHit({0.5f, 0.2f, 0.5f}, {0, 0.6f, 0.8f}, t, normal));
  EXPECT_LT(t, 0.0f);
  TestParticles particles;
  Particle& p = particles.add({0.5f, 0.2f, 0.5f}, {0, 0.6f, 0.8f});
  box.apply(particles.list);
  EXPECT_NE(p.velocity.y, 0.6f);
  EXPECT_FLOAT_EQ(Vec3::lengthSquared(p.velocity), 1.0f);
}

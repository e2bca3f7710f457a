#include "modifiers/ForceModifier.h"

#include <gtest/gtest.h>

#include "ModifierTesting.h"

TEST(ForceModifierTest, ActiveOnlyWhenSomeComponentExceedsOneMillionth) {
  ForceModifier force;
  EXPECT_FALSE(force.isActive());
  force.force = {0.0f, 1e-7f, 0.0f};
  EXPECT_FALSE(force.isActive());
  force.force = {1e-6f, -1e-6f, 1e-6f};  // greater-than: exactly 1e-6 is still zero
  EXPECT_FALSE(force.isActive());
  force.force = {0.0f, 0.0f, -2e-6f};
  EXPECT_TRUE(force.isActive());
  force.force = {2e-6f, 0.0f, 0.0f};
  EXPECT_TRUE(force.isActive());
}

TEST(ForceModifierTest, AddsTheForceToEveryVelocityEachStep) {
  ForceModifier force;
  force.force = {0.0f, -0.01f, 0.0f};
  TestParticles particles;
  Particle& a = particles.add({0, 0, 0}, {1, 2, 3});
  Particle& b = particles.add({5, 5, 5}, {0, 0, 0});
  force.apply(particles.list);
  force.apply(particles.list);
  expectSameBits(a.velocity, {1.0f, 2.0f - 0.01f - 0.01f, 3.0f});
  expectSameBits(b.velocity, {0.0f, -0.01f - 0.01f, 0.0f});
  expectSameBits(b.position, {5, 5, 5});
}

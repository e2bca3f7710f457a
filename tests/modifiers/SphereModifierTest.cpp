#include "modifiers/SphereModifier.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModifierTesting.h"

TEST(SphereModifierTest, PullsHalfAUnitAtDistanceTwo) {
  SphereModifier sphere;
  sphere.centre = {1, 0, 0};
  TestParticles particles;
  Particle& p = particles.add({3, 0, 0}, {0, 1, 0});
  Particle& q = particles.add({1, 0, -2}, {0, 0, 0});
  sphere.apply(particles.list);
  expectSameBits(p.velocity, {-0.5f, 1, 0});
  expectSameBits(q.velocity, {0, 0, 0.5f});
}

TEST(SphereModifierTest, TestsTheDrawnPosition) {
  SphereModifier sphere;
  TestParticles particles;
  // Moving along x with orbit radius 2 at angle 0: drawn at (0, 2, 0).
  Particle& p = particles.add({0, 0, 0}, {3, 0, 0});
  p.orbitRadius = 2.0f;
  sphere.apply(particles.list);
  expectVec(p.velocity, {3, -0.5f, 0});
}

TEST(SphereModifierTest, ParticleOnTheCentreOrWithinOneMillionthIsLeftAlone) {
  SphereModifier sphere;
  TestParticles particles;
  Particle& on = particles.add({0, 0, 0}, {1, 2, 3});
  Particle& atThreshold = particles.add({1e-6f, 0, 0}, {0, 0, 0});
  Particle& above = particles.add({std::nextafter(1e-6f, 1.0f), 0, 0}, {0, 0, 0});
  sphere.apply(particles.list);
  expectSameBits(on.velocity, {1, 2, 3});
  expectSameBits(atThreshold.velocity, {0, 0, 0});
  EXPECT_LT(above.velocity.x, -0.99f);
}

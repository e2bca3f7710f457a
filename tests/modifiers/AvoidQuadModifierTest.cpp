#include "modifiers/AvoidQuadModifier.h"

#include <gtest/gtest.h>

#include "ModifierTesting.h"

TEST(AvoidQuadModifierTest, DefaultPatchPlanesFaceIntoThePatch) {
  AvoidQuadModifier quad;
  expectPlane(quad.patch.face, {0, -1, 0}, 0);
  expectPlane(quad.patch.edges[0], {0, 0, 1}, 10);
  expectPlane(quad.patch.edges[1], {-1, 0, 0}, 10);
  expectPlane(quad.patch.edges[2], {0, 0, -1}, 10);
  expectPlane(quad.patch.edges[3], {1, 0, 0}, 10);
}

TEST(AvoidQuadModifierTest, FallingOntoThePatchIsBentAtTheSameSpeed) {
  AvoidQuadModifier quad;
  TestParticles particles;
  Particle& p = particles.add({0, 5, 0}, {0.5f, -1, 0});
  quad.apply(particles.list);
  EXPECT_NEAR(p.velocity.x, 0.51426f, 5e-6f);
  EXPECT_NEAR(p.velocity.y, -0.99274f, 5e-6f);
  EXPECT_EQ(p.velocity.z, 0.0f);
  EXPECT_FLOAT_EQ(Vec3::lengthSquared(p.velocity), 1.25f);
}

TEST(AvoidQuadModifierTest, MeetingThePlaneOutsideThePatchOrBeyondTheLookAheadIsLeftAlone) {
  AvoidQuadModifier quad;
  TestParticles particles;
  Particle& outside = particles.add({30, 5, 0}, {0.5f, -1, 0});
  quad.apply(particles.list);
  expectSameBits(outside.velocity, {0.5f, -1, 0});

  quad.lookAhead = 5.5f;  // the plane is 5.5901699 ahead
  TestParticles ahead;
  Particle& p = ahead.add({0, 5, 0}, {0.5f, -1, 0});
  quad.apply(ahead.list);
  expectSameBits(p.velocity, {0.5f, -1, 0});
  quad.lookAhead = 5.6f;
  quad.apply(ahead.list);
  EXPECT_GT(p.velocity.x, 0.5f);
}

TEST(AvoidQuadModifierTest, MovingAwayFromThePatchIsStillBent) {
  AvoidQuadModifier quad;
  TestParticles particles;
  // The plane lies 5.59 behind; the backward ray meets it at (-2.5, 0, 0), inside the patch.
  Particle& p = particles.add({0, -5, 0}, {0.5f, -1, 0});
  quad.apply(particles.list);
  EXPECT_NE(p.velocity.x, 0.5f);
  EXPECT_FLOAT_EQ(Vec3::lengthSquared(p.velocity), 1.25f);
}

TEST(AvoidQuadModifierTest, ReadRederivesThePlanesFromTheCorners) {
  AvoidQuadModifier quad;
  // A patch in the plane x = 2, wound the other way round.
  quad.cornerA = {2, -1, -1};
  quad.cornerB = {2, 1, -1};
  quad.cornerC = {2, 1, 1};
  quad.cornerD = {2, -1, 1};
  quad.lookAhead = 50.0f;
  const auto copy = roundTrip(quad);
  ASSERT_NE(copy, nullptr);
  expectPlane(copy->patch.face, {1, 0, 0}, -2);
  expectPlane(copy->patch.edges[0], {0, 0, 1}, 1);
  expectPlane(copy->patch.edges[1], {0, -1, 0}, 1);
  expectPlane(copy->patch.edges[2], {0, 0, -1}, 1);
  expectPlane(copy->patch.edges[3], {0, 1, 0}, 1);
  EXPECT_EQ(copy->lookAhead, 50.0f);
  TestParticles particles;
  Particle& p = particles.add({-3, 0.5f, 0}, {1, 0, 0.01f});
  copy->apply(particles.list);
  EXPECT_GT(p.velocity.z, 0.01f);
}

#include "modifiers/FlowModifier.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModifierTesting.h"
#include "support/Bytes.h"

TEST(FlowModifierTest, InertiaOneKeepsEveryVelocity) {
  FlowModifier flow;
  EXPECT_EQ(flow.pull, 0.0f);
  TestParticles particles;
  Particle& p = particles.add({10, 0, 0}, {0.3f, 2, -1});
  flow.apply(particles.list);
  expectVec(p.velocity, {0.3f, 2, -1});
}

TEST(FlowModifierTest, InertiaZeroTurnsHalfwayToTheCentreAtTheSameSpeed) {
  FlowModifier flow;
  flow.inertia = 0.0f;
  flow.derive();
  EXPECT_EQ(flow.pull, 1.0f);
  TestParticles particles;
  Particle& p = particles.add({10, 0, 0}, {0, 2, 0});
  flow.apply(particles.list);
  expectVec(p.velocity, {-1.4142135f, 1.4142135f, 0});
}

TEST(FlowModifierTest, MovingStraightAwayWithInertiaZeroGivesNaN) {
  FlowModifier flow;
  flow.inertia = 0.0f;
  flow.derive();
  TestParticles particles;
  Particle& away = particles.add({10, 0, 0}, {3, 0, 0});
  Particle& resting = particles.add({0, 10, 0}, {0, 0, 0});
  flow.apply(particles.list);
  EXPECT_TRUE(std::isnan(away.velocity.x));
  EXPECT_TRUE(std::isnan(away.velocity.y));
  EXPECT_TRUE(std::isnan(resting.velocity.y));
}

TEST(FlowModifierTest, InsideOrOnTheRadiusIsLeftAlone) {
  FlowModifier flow;
  flow.centre = {1, 1, 1};
  flow.radius = 2.0f;
  flow.inertia = 0.0f;
  flow.derive();
  EXPECT_EQ(flow.radiusSq, 4.0f);
  TestParticles particles;
  Particle& inside = particles.add({2, 1, 1}, {0, 2, 0});
  Particle& on = particles.add({1, 3, 1}, {2, 0, 0});
  Particle& outside = particles.add({1, 3.01f, 1}, {2, 0, 0});
  flow.apply(particles.list);
  expectSameBits(inside.velocity, {0, 2, 0});
  expectSameBits(on.velocity, {2, 0, 0});
  EXPECT_LT(outside.velocity.y, -1.0f);
  EXPECT_FLOAT_EQ(Vec3::lengthSquared(outside.velocity), 4.0f);
}

TEST(FlowModifierTest, ReadDerivesPullAndSquaredRadius) {
  const Bytes bytes = Bytes().tag("MFLW").vec({0, 5, 0}).f32(-3.0f).f32(0.75f);
  const auto flow = readAs<FlowModifier>(bytes.data());
  ASSERT_NE(flow, nullptr);
  EXPECT_EQ(flow->radius, -3.0f);
  EXPECT_EQ(flow->radiusSq, 9.0f);
  EXPECT_EQ(flow->inertia, 0.75f);
  EXPECT_EQ(flow->pull, 0.25f);
  EXPECT_EQ(writtenChild(*flow), bytes.data());
  const auto copy = roundTrip(*flow);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->radiusSq, 9.0f);
  EXPECT_EQ(copy->pull, 0.25f);
}

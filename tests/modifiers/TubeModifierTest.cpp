#include "modifiers/TubeModifier.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ModifierTesting.h"
#include "support/Bytes.h"

TEST(TubeModifierTest, DefaultsPullAParticleBesideTheMiddleByTwentyElevenths) {
  TubeModifier tube;
  EXPECT_TRUE(tube.isActive());
  TestParticles particles;
  Particle& p = particles.add({0, 1, 0}, {0.5f, 0, 0});
  tube.apply(particles.list);
  // u = 20 (0, 1, 0), s = 20 * 0.5 + 1 = 11.
  expectSameBits(p.velocity, {0.5f, -(20.0f / 11.0f), 0});
}

TEST(TubeModifierTest, ParticlesBesideTheEndsOrOnTheAxisAreLeftAlone) {
  TubeModifier tube;
  TestParticles particles;
  Particle& beyond = particles.add({12, 1, 0}, {1, 1, 1});
  Particle& atStart = particles.add({-10, 1, 0}, {1, 1, 1});  // h = 0
  Particle& atEnd = particles.add({10, 1, 0}, {1, 1, 1});     // h = length
  Particle& onAxis = particles.add({3, 0, 0}, {1, 1, 1});
  Particle& nearAxis = particles.add({3, 4e-8f, 0}, {1, 1, 1});  // |w| = 20 * 4e-8 <= 1e-6
  Particle& offAxis = particles.add({3, 1e-7f, 0}, {1, 1, 1});   // |w| = 2e-6
  tube.apply(particles.list);
  for (const Particle* p : {&beyond, &atStart, &atEnd, &onAxis, &nearAxis}) {
    expectSameBits(p->velocity, {1, 1, 1});
  }
  EXPECT_LT(offAxis.velocity.y, 1.0f);
}

TEST(TubeModifierTest, ReadDerivesAxisDirectionAndLength) {
  const Bytes bytes = Bytes().tag("MTUB").vec({1, 2, 3}).vec({4, 6, 3}).f32(2.0f);
  const auto tube = readAs<TubeModifier>(bytes.data());
  ASSERT_NE(tube, nullptr);
  expectSameBits(tube->axis, {3, 4, 0});
  EXPECT_EQ(tube->length, 5.0f);
  expectVec(tube->axisDir, {0.6f, 0.8f, 0});
  EXPECT_EQ(tube->falloff, 2.0f);
  EXPECT_EQ(writtenChild(*tube), bytes.data());
  const auto copy = roundTrip(*tube);
  ASSERT_NE(copy, nullptr);
  expectSameBits(copy->axis, tube->axis);
  expectSameBits(copy->axisDir, tube->axisDir);
  EXPECT_EQ(copy->length, tube->length);
}

TEST(TubeModifierTest, ZeroLengthSegmentIsInactiveWithNaNDirection) {
  TubeModifier tube;
  tube.end = tube.start;
  tube.derive();
  EXPECT_EQ(tube.length, 0.0f);
  EXPECT_TRUE(std::isnan(tube.axisDir.x));
  EXPECT_FALSE(tube.isActive());
  tube.end = tube.start + Vec3(0, 0, 0.0001f);
  tube.derive();
  EXPECT_TRUE(tube.isActive());
  tube.end = tube.start + Vec3(0, 0, 0.00009f);
  tube.derive();
  EXPECT_FALSE(tube.isActive());
}

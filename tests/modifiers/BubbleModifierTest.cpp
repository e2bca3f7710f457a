#include "modifiers/BubbleModifier.h"

#include <gtest/gtest.h>

#include "ModifierTesting.h"
#include "core/Random.h"

namespace {

// The generator's state after n raw draws from state.
uint32_t stateAfter(uint32_t state, int n) {
  Random::seed(state);
  for (int i = 0; i < n; ++i) {
    Random::randRaw();
  }
  return Random::state();
}

}  // namespace

TEST(BubbleModifierTest, ActiveFromARadiusOfOneMillionthSigned) {
  BubbleModifier bubble;
  EXPECT_TRUE(bubble.isActive());
  bubble.radius = 1e-6f;
  EXPECT_TRUE(bubble.isActive());
  bubble.radius = 0.0f;
  EXPECT_FALSE(bubble.isActive());
  bubble.radius = -5.0f;
  EXPECT_FALSE(bubble.isActive());
}

TEST(BubbleModifierTest, WithoutJitterAddsTheStepButStillDrawsOncePerParticle) {
  BubbleModifier bubble;
  bubble.radius = 0.5f;
  bubble.angleStep = 0.25f;
  TestParticles particles;
  Particle& a = particles.add({1, 2, 3}, {0, 1, 0});
  Particle& b = particles.add({0, 0, 0}, {0, 0, 0});
  Particle& c = particles.add({0, 0, 0}, {0, 0, 0});
  a.orbitAngle = 1.0f;
  c.orbitRadius = 7.0f;
  Random::seed(12345);
  bubble.apply(particles.list);
  EXPECT_EQ(Random::state(), stateAfter(12345, 3));
  EXPECT_EQ(a.orbitAngle, 1.25f);
  EXPECT_EQ(b.orbitAngle, 0.25f);
  EXPECT_EQ(c.orbitAngle, 0.25f);
  EXPECT_EQ(a.orbitRadius, 0.5f);
  EXPECT_EQ(c.orbitRadius, 0.5f);
  expectSameBits(a.velocity, {0, 1, 0});
  expectSameBits(a.position, {1, 2, 3});
}

TEST(BubbleModifierTest, JitterTakesOneDrawPerParticleInListOrder) {
  BubbleModifier bubble;
  bubble.radius = 2.0f;
  bubble.angleStep = 0.1f;
  bubble.angleJitter = 0.5f;
  TestParticles particles;
  for (int i = 0; i < 4; ++i) {
    particles.add({0, 0, 0}, {1, 0, 0}).orbitAngle = static_cast<float>(i);
  }
  Random::seed(99);
  int32_t draws[4];
  for (int32_t& draw : draws) {
    draw = Random::randRaw();
  }
  Random::seed(99);
  bubble.apply(particles.list);
  int i = 0;
  for (const Particle* p : particles.list) {
    const float expected =
        static_cast<float>(16384 - draws[i]) * 0.5f * (1.0f / 16384.0f) + 0.1f + static_cast<float>(i);
    EXPECT_EQ(p->orbitAngle, expected) << i;
    ++i;
  }
  EXPECT_EQ(Random::state(), stateAfter(99, 4));
}

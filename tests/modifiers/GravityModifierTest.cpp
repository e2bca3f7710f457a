#include "modifiers/GravityModifier.h"

#include <gtest/gtest.h>

#include "ModifierTesting.h"
#include "core/Random.h"
#include "support/Bytes.h"

namespace {

// The pair loop as the scene format defines it: every ordered pair, a particle with itself
// included, each impulse applied to both particles the moment it is found.
void literalPairLoop(ParticleList& particles, float strength, float radiusSq) {
  for (Particle* a : particles) {
    for (Particle* b : particles) {
      const Vec3 d = b->position - a->position;
      const float s2 = Vec3::lengthSquared(d);
      if (s2 < radiusSq && b != a) {
        const float k = strength / (s2 * s2 + 0.0001f);
        const Vec3 f = d * k;
        a->setVelocity(a->velocity + f);
        b->setVelocity(b->velocity - f);
      }
    }
  }
}

// Random particles on a coarse grid, so that many pairs share a coordinate or a whole point,
// some velocity components -0 and others within reach of one another or not.
void fillRandomly(TestParticles& particles, int count) {
  auto coordinate = [] { return static_cast<float>(Random::randRaw() % 9 - 4) * 0.75f; };
  auto component = [] { return Random::randRaw() % 3 == 0 ? -0.0f : Random::randSigned(); };
  for (int i = 0; i < count; ++i) {
    particles.add({coordinate(), coordinate(), coordinate()}, {component(), component(), component()});
  }
}

}  // namespace

TEST(GravityModifierTest, EachParticleOfAPairReceivesTheImpulseTwice) {
  GravityModifier gravity;
  TestParticles particles;
  Particle& a = particles.add({0, 0, 0}, {0, 0, 0});
  Particle& b = particles.add({1, 0, 0}, {0, 0, 0});
  gravity.apply(particles.list);
  const float f = 1.0f / (1.0f + 0.0001f);
  expectSameBits(a.velocity, {f + f, 0, 0});
  expectSameBits(b.velocity, {-f - f, 0, 0});
}

TEST(GravityModifierTest, GivesTheSameBitsAsTheLiteralPairLoop) {
  for (float radius : {1000.0f, 2.0f}) {
    for (int count : {2, 3, 4, 5, 6, 7, 9, 61}) {
      SCOPED_TRACE(testing::Message() << "radius " << radius << ", " << count << " particles");
      GravityModifier gravity;
      gravity.strength = 0.05f;
      gravity.radius = radius;
      gravity.derive();
      Random::seed(static_cast<uint32_t>(count));
      TestParticles fast;
      fillRandomly(fast, count);
      Random::seed(static_cast<uint32_t>(count));
      TestParticles literal;
      fillRandomly(literal, count);
      for (int step = 0; step < 3; ++step) {
        gravity.apply(fast.list);
        literalPairLoop(literal.list, gravity.strength, gravity.radiusSq);
      }
      auto it = literal.list.begin();
      for (const Particle* p : fast.list) {
        expectSameBits(p->velocity, (*it)->velocity);
        ++it;
      }
    }
  }
}

TEST(GravityModifierTest, MeasuresBetweenBasePositionsOnly) {
  GravityModifier gravity;
  TestParticles particles;
  // Same position, different auxiliary vectors and orbits: no force.
  Particle& a = particles.add({2, 2, 2}, {1, 0, 0});
  Particle& b = particles.add({2, 2, 2}, {0, 1, 0});
  a.aux = {0, 0, 0};
  b.aux = {5, 5, 5};
  b.orbitRadius = 3.0f;
  gravity.apply(particles.list);
  expectSameBits(a.velocity, {1, 0, 0});
  expectSameBits(b.velocity, {0, 1, 0});

  // Same auxiliary vectors, different positions: attraction.
  TestParticles apart;
  Particle& c = apart.add({0, 0, 0}, {0, 0, 0});
  Particle& d = apart.add({0, 3, 0}, {0, 0, 0});
  gravity.apply(apart.list);
  EXPECT_GT(c.velocity.y, 0.0f);
  EXPECT_LT(d.velocity.y, 0.0f);
}

TEST(GravityModifierTest, EmptyListSingleParticleAndPairsAtTheRadiusAreUnchanged) {
  GravityModifier gravity;
  TestParticles none;
  gravity.apply(none.list);
  gravity.radius = 2.0f;
  gravity.derive();
  EXPECT_EQ(gravity.radiusSq, 4.0f);
  TestParticles one;
  Particle& alone = one.add({0, 0, 0}, {1, 2, 3});
  gravity.apply(one.list);
  expectSameBits(alone.velocity, {1, 2, 3});

  TestParticles particles;
  Particle& a = particles.add({0, 0, 0}, {1, 1, 1});
  Particle& b = particles.add({0, 0, 2}, {1, 1, 1});  // s2 = 4 is not below radiusSq
  gravity.apply(particles.list);
  expectSameBits(a.velocity, {1, 1, 1});
  expectSameBits(b.velocity, {1, 1, 1});
  b.position = {0, 0, 1.99f};
  gravity.apply(particles.list);
  EXPECT_GT(a.velocity.z, 1.0f);
}

TEST(GravityModifierTest, ReadDerivesTheSquaredRadius) {
  const Bytes bytes = Bytes().tag("MGRV").f32(0.5f).f32(30.0f);
  const auto gravity = readAs<GravityModifier>(bytes.data());
  ASSERT_NE(gravity, nullptr);
  EXPECT_EQ(gravity->strength, 0.5f);
  EXPECT_EQ(gravity->radiusSq, 900.0f);
  const auto copy = roundTrip(*gravity);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->radiusSq, 900.0f);
}

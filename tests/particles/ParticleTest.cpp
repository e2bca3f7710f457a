#include "particles/Particle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "particles/ColorCurve.h"
#include "particles/SizeCurve.h"
#include "support/VectorExpectations.h"

namespace {

Particle at(const Vec3& position, const Vec3& velocity, float radius, float angle) {
  Particle p;
  p.position = position;
  p.velocity = velocity;
  p.orbitRadius = radius;
  p.orbitAngle = angle;
  return p;
}

}  // namespace

TEST(ParticleTest, OrbitRadiusOfOneMillionthIsNoOffsetButTwoIs) {
  const Vec3 base(1, 2, 3);
  const Particle none = at(base, {3, 0, 0}, 1e-6f, 0.0f);
  const Vec3 p = none.orbitPosition();
  EXPECT_EQ(p.x, 1.0f);
  EXPECT_EQ(p.y, 2.0f);
  EXPECT_EQ(p.z, 3.0f);
  const Particle some = at(base, {3, 0, 0}, 2e-6f, 0.0f);
  EXPECT_NE(some.orbitPosition().y, 2.0f);
  const Particle negative = at(base, {3, 0, 0}, -2e-6f, 0.0f);
  EXPECT_NE(negative.orbitPosition().y, 2.0f);
}

TEST(ParticleTest, MovingAlongXOffsetsUpwardAtAngleZero) {
  const Particle p = at({0, 0, 0}, {3, 0, 0}, 1.0f, 0.0f);
  expectVec(p.orbitPosition(), {0, 1, 0});
}

TEST(ParticleTest, StraightUpUsesTheHorizontalCircle) {
  const float r = 2.0f;
  const float a = 0.7f;
  const Particle p = at({1, 1, 1}, {0, 5, 0}, r, a);
  expectVec(p.orbitPosition(), {1 - r * std::sin(a), 1, 1 + r * std::cos(a)});
}

TEST(ParticleTest, StraightDownHasNoOffset) {
  const Particle p = at({1, 1, 1}, {0, -5, 0}, 2.0f, 0.7f);
  const Vec3 drawn = p.orbitPosition();
  EXPECT_EQ(drawn.x, 1.0f);
  EXPECT_EQ(drawn.y, 1.0f);
  EXPECT_EQ(drawn.z, 1.0f);
}

TEST(ParticleTest, AtRestUsesTheHorizontalCircleWithoutAnException) {
  const float r = 0.5f;
  const float a = 2.0f;
  const Particle p = at({0, 0, 0}, {0, 0, 0}, r, a);
  expectVec(p.orbitPosition(), {-r * std::sin(a), 0, r * std::cos(a)});
}

uint32_t bitsOf(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST(ParticleTest, TheDrawnPositionFollowsEveryChangeOfTheAngle) {
  Particle p = at({1, 2, 3}, {3, 1, 0}, 1.5f, 0.3f);
  const Vec3 first = p.orbitPosition();
  for (const float angle : {2.0f, -1.0f, 0.3f}) {
    p.orbitAngle = angle;
    const Vec3 drawn = p.orbitPosition();
    const Vec3 fresh = at({1, 2, 3}, {3, 1, 0}, 1.5f, angle).orbitPosition();
    EXPECT_EQ(std::memcmp(&drawn, &fresh, sizeof drawn), 0) << "angle " << angle;
  }
  const Vec3 again = p.orbitPosition();
  EXPECT_EQ(std::memcmp(&again, &first, sizeof again), 0);
}

TEST(ParticleTest, AnglesPlusAndMinusZeroAreTwoAngles) {
  // Straight up at x = -0: the offset's x is -sin(angle), so -0 + -0 stays -0 at angle +0 and
  // -0 + +0 becomes +0 at angle -0. Equal as numbers, the two angles still give their own sines.
  Particle p = at({-0.0f, 0, 0}, {0, 1, 0}, 1.0f, 0.0f);
  EXPECT_EQ(bitsOf(p.orbitPosition().x), 0x80000000u);
  p.orbitAngle = -0.0f;
  EXPECT_EQ(bitsOf(p.orbitPosition().x), 0x00000000u);
  p.orbitAngle = 0.0f;
  EXPECT_EQ(bitsOf(p.orbitPosition().x), 0x80000000u);
}

TEST(ParticleTest, LifePercentRunsFromTenToHundred) {
  Particle p;
  p.lifeTotal = 10;
  for (int left = 9, expected = 10; left >= 0; --left, expected += 10) {
    p.lifeLeft = left;
    EXPECT_EQ(p.lifePercent(), static_cast<float>(expected));
  }
  p.lifeTotal = 3;
  p.lifeLeft = 0;
  EXPECT_EQ(p.lifePercent(), 100.0f);
}

TEST(ParticleTest, WithoutCurvesWhiteAtHalfSizeWhateverTheLife) {
  Particle p;
  p.lifeTotal = 0;
  p.lifeLeft = 12;
  const Color4 c = p.currentColor();
  EXPECT_EQ(c.r, 1.0f);
  EXPECT_EQ(c.a, 1.0f);
  EXPECT_EQ(p.currentSize(), 0.5f);
}

TEST(ParticleTest, CurvesWithLifeOutsideTheRangeAreIllegalIndex) {
  ColorCurve colors(10);
  colors.build();
  SizeCurve sizes(10);
  sizes.build();
  Particle p;
  p.colorCurve = &colors;
  p.sizeCurve = &sizes;
  p.lifeTotal = 0;  // 0 / 0
  p.lifeLeft = 0;
  EXPECT_THROW(p.currentColor(), vtException);
  EXPECT_THROW(p.currentSize(), vtException);
  p.lifeTotal = 5;
  p.lifeLeft = 6;  // negative percentage
  try {
    p.currentSize();
    FAIL();
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::IllegalIndex);
  }
}

TEST(ParticleTest, CurvesAreSampledAtTheLifePercent) {
  SizeCurve sizes(100);
  sizes.addKey(0.0f, 0);
  sizes.addKey(1.0f, 100);
  sizes.build();
  Particle p;
  p.sizeCurve = &sizes;
  p.lifeTotal = 4;
  p.lifeLeft = 2;
  EXPECT_FLOAT_EQ(p.currentSize(), 0.49f);
}

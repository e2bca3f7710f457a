#include "particles/Emitter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/FloatMath.h"
#include "core/Random.h"
#include "objfile/MemoryStream.h"
#include "support/Bytes.h"

namespace {

// Values 1 to 25 of the head, each its own position in the file: value n sits at offset 4 (n - 1).
Bytes numberedHead() {
  return Bytes()
      .vec({1, 2, 3})
      .vec({4, 5, 6})
      .vec({7, 8, 9})
      .vec({10, 11, 12})
      .vec({13, 14, 15})
      .i32(16)
      .f32(17)
      .f32(18)
      .f32(19)
      .f32(20)
      .f32(21)
      .f32(22)
      .f32(23)
      .f32(24)
      .i32(25);
}

ErrorCode readCode(const Bytes& bytes) {
  Emitter emitter;
  MemoryStream stream(bytes.data());
  try {
    emitter.read(stream);
  } catch (const vtException& e) {
    return e.code;
  }
  ADD_FAILURE() << "no exception";
  return ErrorCode::PixelFormatFailed;
}

// An emitter with the given shape and geometry, everything else at rest: no spread, no orbit.
Emitter& shaped(Emitter& emitter, EmitterShape shape, const Vec3& origin, const Vec3& axisA, const Vec3& axisB) {
  emitter.shape = static_cast<int32_t>(shape);
  emitter.origin = origin;
  emitter.axisA = axisA;
  emitter.axisB = axisB;
  return emitter;
}

// The raw values the generator gives from a state, without disturbing the caller's sequence.
std::vector<int32_t> rawsFrom(uint32_t state, int count) {
  Random::seed(state);
  std::vector<int32_t> raws;
  for (int i = 0; i < count; ++i) {
    raws.push_back(Random::randRaw());
  }
  Random::seed(state);
  return raws;
}

// How many raw values one createParticle consumed.
int drawsOfOneParticle(Emitter& emitter, uint32_t state) {
  Random::seed(state);
  emitter.createParticle();
  const uint32_t after = Random::state();
  Random::seed(state);
  for (int draws = 0; draws < 32; ++draws) {
    if (Random::state() == after) {
      return draws;
    }
    Random::randRaw();
  }
  return -1;
}

// A state whose next two raw values are first and second: the first fixes bits 16..30 of the
// state it leaves, the remaining 2^17 candidates are tried for the second, and the step is then
// inverted (214013 is odd, so it has an inverse modulo 2^32).
uint32_t stateBeforeRaws(int32_t first, int32_t second) {
  uint32_t inverse = 1;
  for (int i = 0; i < 5; ++i) {
    inverse *= 2u - 214013u * inverse;
  }
  for (uint32_t high = 0; high < 2; ++high) {
    for (uint32_t low = 0; low < 65536; ++low) {
      const uint32_t made = (high << 31) | (static_cast<uint32_t>(first) << 16) | low;
      const uint32_t next = made * 214013u + 2531011u;
      if (static_cast<int32_t>((next >> 16) & 0x7FFFu) == second) {
        return (made - 2531011u) * inverse;
      }
    }
  }
  ADD_FAILURE() << "no state gives " << first << ", " << second;
  return 0;
}

float unit(int32_t raw) { return static_cast<float>(raw) * (1.0f / 32768.0f); }
float signedUnit(int32_t raw) { return static_cast<float>(16384 - raw) * (1.0f / 16384.0f); }

}  // namespace

TEST(EmitterTest, ConstructedEmitterHasTheDefaults) {
  Emitter emitter;
  EXPECT_EQ(emitter.tag(), makeTag("EMIT"));
  EXPECT_EQ(emitter.shape, 1);
  EXPECT_EQ(emitter.radius, 1.0f);
  EXPECT_EQ(emitter.orbitAngle, 1.0f);
  EXPECT_EQ(emitter.life, 0);
  EXPECT_EQ(emitter.rate, 0);
  EXPECT_EQ(emitter.colorCurve(), nullptr);
  EXPECT_EQ(emitter.sizeCurve(), nullptr);
  const auto particle = emitter.createParticle();
  EXPECT_EQ(particle->currentColor().g, 1.0f);
  EXPECT_EQ(particle->currentSize(), 0.5f);
}

TEST(EmitterTest, PayloadWithoutKeysIs120BytesInFileOrder) {
  const Bytes payload = Bytes(numberedHead()).i32(7).i32(0).i32(9).i32(0).i32(22);
  ASSERT_EQ(payload.size(), 120u);
  Emitter emitter;
  MemoryStream stream(Bytes(payload).u32(0xDEADBEEF).data());
  emitter.read(stream);
  EXPECT_EQ(stream.tell(), 120);

  EXPECT_EQ(emitter.origin.x, 1.0f);
  EXPECT_EQ(emitter.origin.z, 3.0f);
  EXPECT_EQ(emitter.axisA.x, 4.0f);
  EXPECT_EQ(emitter.axisB.y, 8.0f);
  EXPECT_EQ(emitter.velocity.z, 12.0f);
  EXPECT_EQ(emitter.particleAux.x, 13.0f);
  EXPECT_EQ(emitter.particleAux.z, 15.0f);
  EXPECT_EQ(emitter.rate, 16);
  EXPECT_EQ(emitter.spread, 17.0f);
  EXPECT_EQ(emitter.radius, 18.0f);
  EXPECT_EQ(emitter.orbitAngle, 19.0f);
  EXPECT_EQ(emitter.orbitAngleVar, 20.0f);
  EXPECT_EQ(emitter.speed, 21.0f);
  EXPECT_EQ(emitter.speedVar, 22.0f);
  EXPECT_EQ(emitter.orbitRadius, 23.0f);
  EXPECT_EQ(emitter.orbitRadiusVar, 24.0f);
  EXPECT_EQ(emitter.life, 25);
  EXPECT_EQ(emitter.shape, 22);
  ASSERT_NE(emitter.colorCurve(), nullptr);
  ASSERT_NE(emitter.sizeCurve(), nullptr);
  EXPECT_EQ(emitter.colorCurve()->resolution(), 7);
  EXPECT_TRUE(emitter.colorCurve()->keys().empty());
  EXPECT_EQ(emitter.sizeCurve()->resolution(), 9);
  EXPECT_TRUE(emitter.sizeCurve()->keys().empty());

  MemoryStream written;
  emitter.write(written);
  EXPECT_EQ(written.bytes(), payload.data());
  // rate sits between particleAux and spread: bytes 60..63.
  const std::vector<uint8_t> rateBytes(written.bytes().begin() + 60, written.bytes().begin() + 64);
  EXPECT_EQ(rateBytes, (std::vector<uint8_t>{16, 0, 0, 0}));
}

TEST(EmitterTest, AscendingKeysAreWrittenBackDescending) {
  // Colour keys at 0 and 100 percent, size keys at 0, 40 and 90, each curve in ascending order.
  Bytes payload = Bytes(numberedHead()).i32(100).i32(2);
  payload.f32(1).f32(0).f32(0).f32(1).i32(0);
  payload.f32(0).f32(0).f32(1).f32(0.5f).i32(100);
  payload.i32(50).i32(3).f32(0.1f).i32(0).f32(0.2f).i32(40).f32(0.3f).i32(90);
  payload.i32(1);
  Emitter emitter;
  MemoryStream stream(payload.data());
  emitter.read(stream);
  MemoryStream written;
  emitter.write(written);
  Bytes expected = Bytes(numberedHead()).i32(100).i32(2);
  expected.f32(0).f32(0).f32(1).f32(0.5f).i32(100);
  expected.f32(1).f32(0).f32(0).f32(1).i32(0);
  expected.i32(50).i32(3).f32(0.3f).i32(90).f32(0.2f).i32(40).f32(0.1f).i32(0);
  expected.i32(1);
  EXPECT_EQ(written.bytes(), expected.data());

  // The written form reads back to the same bytes.
  Emitter again;
  MemoryStream rereading(written.bytes());
  again.read(rereading);
  MemoryStream rewritten;
  again.write(rewritten);
  EXPECT_EQ(rewritten.bytes(), expected.data());
}

TEST(EmitterTest, NeverReadEmitterWritesEmptyCurvesThatReadBack) {
  Emitter emitter;
  emitter.rate = 3;
  emitter.life = 4;
  MemoryStream written;
  emitter.write(written);
  ASSERT_EQ(written.bytes().size(), 120u);
  const std::vector<uint8_t> curves(written.bytes().begin() + 100, written.bytes().begin() + 116);
  EXPECT_EQ(curves, Bytes().i32(1).i32(0).i32(1).i32(0).data());

  Emitter read;
  MemoryStream stream(written.bytes());
  read.read(stream);
  EXPECT_EQ(read.rate, 3);
  EXPECT_EQ(read.shape, 1);
  ASSERT_NE(read.colorCurve(), nullptr);
  EXPECT_EQ(read.colorCurve()->resolution(), 1);
  auto particle = read.createParticle();
  particle->lifeLeft = 1;
  EXPECT_EQ(particle->currentColor().r, 1.0f);
  EXPECT_EQ(particle->currentSize(), 0.5f);
}

TEST(EmitterTest, CurveBoundsAreRefused) {
  const auto colour = [](int32_t resolution, int32_t count) {
    return Bytes(numberedHead()).i32(resolution).i32(count);
  };
  EXPECT_EQ(readCode(colour(0, 0)), ErrorCode::IllegalIndex);
  EXPECT_EQ(readCode(colour(-3, 0)), ErrorCode::IllegalIndex);
  EXPECT_EQ(readCode(colour(LifeCurve<float>::kMaxResolution + 1, 0)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(colour(10, LifeCurve<float>::kMaxKeys + 1)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(colour(10, 1).f32(1).f32(1).f32(1).f32(1).i32(-1)), ErrorCode::IllegalIndex);
  // The same bounds hold for the size curve.
  EXPECT_EQ(readCode(colour(10, 0).i32(0).i32(0)), ErrorCode::IllegalIndex);
  EXPECT_EQ(readCode(colour(10, 0).i32(LifeCurve<float>::kMaxResolution + 1)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(colour(10, 0).i32(10).i32(LifeCurve<float>::kMaxKeys + 1)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(colour(10, 0).i32(10).i32(1).f32(1).i32(-5)), ErrorCode::IllegalIndex);
  // Data ending inside the payload.
  EXPECT_EQ(readCode(colour(10, 2).f32(1).f32(1).f32(1).f32(1).i32(0)), ErrorCode::ReadFailed);
  EXPECT_EQ(readCode(Bytes(numberedHead()).i32(1).i32(0).i32(1).i32(0)), ErrorCode::ReadFailed);
}

TEST(EmitterTest, LimitsThemselvesAndOtherOddValuesAreAccepted) {
  // The largest curve, a negative key count (no keys), a key beyond 100 percent, an unknown shape.
  Bytes payload = Bytes(numberedHead()).i32(LifeCurve<float>::kMaxResolution).i32(-4);
  payload.i32(5).i32(2).f32(2).i32(250).f32(1).i32(0).i32(7);
  Emitter emitter;
  MemoryStream stream(payload.data());
  emitter.read(stream);
  EXPECT_EQ(emitter.colorCurve()->resolution(), LifeCurve<float>::kMaxResolution);
  EXPECT_TRUE(emitter.colorCurve()->keys().empty());
  EXPECT_EQ(emitter.sizeCurve()->keys().size(), 2u);
  EXPECT_EQ(emitter.shape, 7);
  MemoryStream written;
  emitter.write(written);
  EXPECT_EQ(written.bytes().back(), 0);
  EXPECT_EQ(written.bytes()[written.bytes().size() - 4], 7);

  Bytes manyKeys = Bytes(numberedHead()).i32(100).i32(LifeCurve<float>::kMaxKeys);
  for (int32_t i = 0; i < LifeCurve<float>::kMaxKeys; ++i) {
    manyKeys.f32(0).f32(0).f32(0).f32(0).i32(i % 101);
  }
  manyKeys.i32(1).i32(0).i32(1);
  Emitter full;
  MemoryStream fullStream(manyKeys.data());
  full.read(fullStream);
  EXPECT_EQ(full.colorCurve()->keys().size(), static_cast<size_t>(LifeCurve<float>::kMaxKeys));
}

TEST(EmitterTest, DrawsPerParticleFollowTheShape) {
  struct Case {
    int32_t shape;
    int draws;
  };
  // Five draws for orbit angle, orbit radius, speed, direction and lift after the shape's own.
  for (const Case& c : {Case{1, 5}, Case{2, 6}, Case{4, 7}, Case{8, 7}, Case{50, 6}, Case{22, 8}, Case{0, 5},
                        Case{16, 5}, Case{32, 5}, Case{-1, 5}}) {
    Emitter emitter;
    emitter.shape = c.shape;
    emitter.axisA = {1, 2, 3};
    emitter.axisB = {0, 1, 0};
    EXPECT_EQ(drawsOfOneParticle(emitter, 12345), c.draws) << "shape " << c.shape;
    EXPECT_EQ(drawsOfOneParticle(emitter, 777), c.draws) << "shape " << c.shape;
  }
}

TEST(EmitterTest, PointWithoutSpreadStartsAtTheOriginWithTheEmittersVelocity) {
  Emitter emitter;
  emitter.origin = {1, -2, 3};
  emitter.velocity = {0.25f, 0.5f, -0.75f};
  emitter.particleAux = {9, 8, 7};
  emitter.speed = 4.0f;
  emitter.life = 12;
  Random::seed(99);
  for (int i = 0; i < 20; ++i) {
    const auto p = emitter.createParticle();
    EXPECT_EQ(p->position.x, 1.0f);
    EXPECT_EQ(p->position.y, -2.0f);
    EXPECT_EQ(p->position.z, 3.0f);
    EXPECT_EQ(p->velocity.x, 0.25f);
    EXPECT_EQ(p->velocity.y, 0.5f);
    EXPECT_EQ(p->velocity.z, -0.75f);
    EXPECT_EQ(p->aux.y, 8.0f);
    EXPECT_EQ(p->lifeLeft, 12);
    EXPECT_EQ(p->lifeTotal, 12);
    EXPECT_EQ(p->stepScale, 1.0f);
    // No orbit radius, no variation: drawn where it is.
    EXPECT_EQ(p->orbitRadius, 0.0f);
    EXPECT_EQ(p->orbitAngle, 1.0f);
    EXPECT_EQ(p->orbitPosition().x, 1.0f);
  }
}

TEST(EmitterTest, LineRunsFromTheOriginTowardsAxisA) {
  Emitter emitter;
  shaped(emitter, EmitterShape::Line, {0, 0, 0}, {10, 0, 0}, {});
  const std::vector<int32_t> raws = rawsFrom(4242, 1);
  const auto first = emitter.createParticle();
  EXPECT_EQ(first->position.x, unit(raws[0]) * 10.0f);
  Random::seed(1);
  for (int i = 0; i < 200; ++i) {
    const auto p = emitter.createParticle();
    EXPECT_GE(p->position.x, 0.0f);
    EXPECT_LT(p->position.x, 10.0f);
    EXPECT_EQ(p->position.y, 0.0f);
    EXPECT_EQ(p->position.z, 0.0f);
  }
}

TEST(EmitterTest, BoxTakesZFromTheFirstDraw) {
  Emitter emitter;
  shaped(emitter, EmitterShape::Box, {0, 0, 0}, {1, 2, 3}, {});
  const std::vector<int32_t> raws = rawsFrom(2024, 3);
  const auto p = emitter.createParticle();
  EXPECT_FLOAT_EQ(p->position.z, unit(raws[0]) * 3.0f);
  EXPECT_FLOAT_EQ(p->position.y, unit(raws[1]) * 2.0f);
  EXPECT_FLOAT_EQ(p->position.x, unit(raws[2]) * 1.0f);
  Random::seed(5);
  for (int i = 0; i < 200; ++i) {
    const auto q = emitter.createParticle();
    EXPECT_GE(q->position.x, 0.0f);
    EXPECT_LT(q->position.x, 1.0f);
    EXPECT_LT(q->position.y, 2.0f);
    EXPECT_LT(q->position.z, 3.0f);
  }

  // Corners in either order: the origin is one corner, axisA the other.
  Emitter reversed;
  shaped(reversed, EmitterShape::Box, {1, 2, 3}, {-1, 0, 1}, {});
  const std::vector<int32_t> more = rawsFrom(31, 3);
  const auto r = reversed.createParticle();
  EXPECT_FLOAT_EQ(r->position.z, 3.0f + unit(more[0]) * -2.0f);
  EXPECT_FLOAT_EQ(r->position.x, 1.0f + unit(more[2]) * -2.0f);
}

TEST(EmitterTest, ParallelogramWeightsAxisBWithTheFirstDraw) {
  Emitter emitter;
  shaped(emitter, EmitterShape::Parallelogram, {0, 0, 0}, {1, 0, 0}, {0, 1, 0});
  // Raw 0 then 32767: axisB's coefficient is 1, axisA's -16383/16384.
  Random::seed(stateBeforeRaws(0, 32767));
  const auto p = emitter.createParticle();
  EXPECT_EQ(p->position.y, 1.0f);
  EXPECT_EQ(p->position.x, -16383.0f / 16384.0f);
  EXPECT_EQ(p->position.z, 0.0f);

  shaped(emitter, EmitterShape::Parallelogram, {5, 5, 5}, {2, 0, 0}, {0, 0, 3});
  const std::vector<int32_t> raws = rawsFrom(808, 2);
  const auto q = emitter.createParticle();
  EXPECT_FLOAT_EQ(q->position.x, 5.0f + 2.0f * signedUnit(raws[1]));
  EXPECT_EQ(q->position.y, 5.0f);
  EXPECT_FLOAT_EQ(q->position.z, 5.0f + 3.0f * signedUnit(raws[0]));
}

TEST(EmitterTest, DiscNormalisesItsAxesAndUsesASignedRadius) {
  Emitter emitter;
  shaped(emitter, EmitterShape::Disc, {1, 1, 1}, {0, 0, 4}, {0, 2, 0});
  emitter.radius = 3.0f;
  const std::vector<int32_t> raws = rawsFrom(6060, 2);
  const auto p = emitter.createParticle();
  EXPECT_EQ(emitter.axisA.z, 1.0f);
  EXPECT_EQ(emitter.axisB.y, 1.0f);
  const float angle = static_cast<float>(16384 - raws[0]) * 0.00038348744f;
  const float rho = signedUnit(raws[1]) * 3.0f;
  EXPECT_EQ(p->position.x, 1.0f);
  EXPECT_FLOAT_EQ(p->position.z, 1.0f + rho * floatCos(angle));
  EXPECT_FLOAT_EQ(p->position.y, 1.0f + rho * floatSin(angle));
  Random::seed(3);
  for (int i = 0; i < 200; ++i) {
    const auto q = emitter.createParticle();
    const float dy = q->position.y - 1.0f;
    const float dz = q->position.z - 1.0f;
    EXPECT_LE(dy * dy + dz * dz, 9.0f * 1.0001f);
  }
}

TEST(EmitterTest, RingPlacesEveryParticleAtTheRadiusAndLeavesUnitAxes) {
  Emitter emitter;
  shaped(emitter, EmitterShape::Ring, {1, 2, 3}, {2, 0, 0}, {0, 0, 3});
  emitter.radius = 5.0f;
  Random::seed(11);
  for (int i = 0; i < 100; ++i) {
    const auto p = emitter.createParticle();
    const float dx = p->position.x - 1.0f;
    const float dz = p->position.z - 3.0f;
    EXPECT_NEAR(dx * dx + dz * dz, 25.0f, 1e-4f);
    EXPECT_EQ(p->position.y, 2.0f);
  }
  EXPECT_EQ(emitter.axisA.x, 1.0f);
  EXPECT_EQ(emitter.axisA.y, 0.0f);
  EXPECT_EQ(emitter.axisA.z, 0.0f);
  EXPECT_EQ(emitter.axisB.x, 0.0f);
  EXPECT_EQ(emitter.axisB.z, 1.0f);
}

TEST(EmitterTest, ZeroAxisMakesDiscPositionsNotANumber) {
  Emitter emitter;
  shaped(emitter, EmitterShape::Disc, {0, 0, 0}, {0, 0, 0}, {0, 1, 0});
  const auto p = emitter.createParticle();
  EXPECT_TRUE(std::isnan(emitter.axisA.x));
  EXPECT_TRUE(std::isnan(p->position.x));
}

TEST(EmitterTest, SpeedWithoutVariationGivesHorizontalLengthAndASmallLift) {
  Emitter emitter;
  emitter.speed = 2.0f;
  emitter.spread = 1.0f;
  Random::seed(17);
  for (int i = 0; i < 300; ++i) {
    const auto p = emitter.createParticle();
    const Vec3 v = p->velocity;
    EXPECT_NEAR(v.x * v.x + v.z * v.z, 4.0f, 1e-5f);
    EXPECT_GE(v.y, 0.0f);
    EXPECT_LT(v.y, 0.2f);
  }
  // spread scales both parts, the lift included.
  emitter.spread = 3.0f;
  emitter.velocity = {0, 10, 0};
  const std::vector<int32_t> raws = rawsFrom(23, 5);
  const auto p = emitter.createParticle();
  const float phi = static_cast<float>(16384 - raws[3]) * 0.00019174372f;
  const float lift = static_cast<float>(raws[4]) * 6.1035157e-6f;
  EXPECT_FLOAT_EQ(p->velocity.y, 10.0f + 3.0f * lift);
  EXPECT_FLOAT_EQ(p->velocity.x, 3.0f * (2.0f * floatSin(phi)));
  EXPECT_FLOAT_EQ(p->velocity.z, 3.0f * (2.0f * floatCos(phi)));
}

TEST(EmitterTest, VariationsMultiplyByVarBeforeTheScale) {
  // (16384 - r) * var overflows before the exact 1/16384 could bring it back: the stored form of
  // the variation keeps that order, so a huge var gives an infinite angle, not a finite one.
  Emitter emitter;
  emitter.orbitAngle = 0.5f;
  emitter.orbitAngleVar = 3e38f;
  emitter.orbitRadius = 2.0f;
  emitter.orbitRadiusVar = 0.25f;
  emitter.speed = 1.0f;
  emitter.speedVar = 0.5f;
  emitter.spread = 1.0f;
  uint32_t state = 1;
  std::vector<int32_t> raws = rawsFrom(state, 5);
  while (raws[0] == 16384 || raws[0] == 16385) {
    raws = rawsFrom(++state, 5);
  }
  const auto p = emitter.createParticle();
  EXPECT_TRUE(std::isinf(p->orbitAngle));
  EXPECT_EQ(p->orbitAngle > 0, raws[0] < 16384);
  EXPECT_EQ(p->orbitRadius, static_cast<float>(16384 - raws[1]) * 0.25f * (1.0f / 16384.0f) + 2.0f);
  const float s = static_cast<float>(16384 - raws[2]) * 0.5f * (1.0f / 16384.0f) + 1.0f;
  const float phi = static_cast<float>(16384 - raws[3]) * 0.00019174372f;
  EXPECT_EQ(p->velocity.x, s * floatSin(phi));
}

TEST(EmitterTest, UnknownShapeStartsAtTheOrigin) {
  for (int32_t shape : {0, 3, 16, 32, 1000}) {
    Emitter emitter;
    shaped(emitter, static_cast<EmitterShape>(shape), {4, 5, 6}, {1, 1, 1}, {2, 2, 2});
    const auto p = emitter.createParticle();
    EXPECT_EQ(p->position.x, 4.0f) << shape;
    EXPECT_EQ(p->position.y, 5.0f) << shape;
    EXPECT_EQ(p->position.z, 6.0f) << shape;
    EXPECT_EQ(emitter.axisA.x, 1.0f) << shape;
  }
}

TEST(EmitterTest, ParticlesShareTheEmittersCurves) {
  const Bytes payload = Bytes(numberedHead()).i32(4).i32(0).i32(4).i32(0).i32(1);
  Emitter emitter;
  MemoryStream stream(payload.data());
  emitter.read(stream);
  const auto p = emitter.createParticle();
  EXPECT_EQ(p->colorCurve, emitter.colorCurve());
  EXPECT_EQ(p->sizeCurve, emitter.sizeCurve());
  EXPECT_EQ(p->lifeTotal, 25);
}

#include "shapes/SphereBouncer.h"

#include <gtest/gtest.h>

#include "ShapeTesting.h"

namespace {

Bytes sphereBytes(const Vec3& centre, float radius, float loss, int32_t mode) {
  return Bytes().tag("BSPH").vec(centre).f32(radius).f32(loss).i32(mode);
}

}  // namespace

class SphereBouncerTest : public ShapeTest {
 protected:
  SphereBouncer* ball(int32_t mode) { return read<SphereBouncer>(sphereBytes({0, 0, 0}, 3.0f, 0.25f, mode)); }
};

TEST_F(SphereBouncerTest, ReadsFiveFloatsAndAModeAndDerivesTheRest) {
  const Bytes bytes = sphereBytes({1.5f, -2, 4.25f}, 2.5f, 0.125f, 5);
  SphereBouncer* sphere = read<SphereBouncer>(bytes);
  expectSameBits(sphere->centre, {1.5f, -2, 4.25f});
  EXPECT_EQ(sphere->radius, 2.5f);
  EXPECT_EQ(sphere->loss, 0.125f);
  EXPECT_EQ(sphere->bounceMode, 5);
  EXPECT_EQ(sphere->radiusSq, 6.25f);
  EXPECT_EQ(sphere->restitution, 0.875f);
  EXPECT_EQ(writtenChild(*sphere), bytes.data());
  EXPECT_EQ(bytes.size(), 4u + 24u);
}

TEST_F(SphereBouncerTest, DefaultsAreARadiusThreeGrazingSphere) {
  const SphereBouncer sphere;
  EXPECT_EQ(writtenChild(sphere), sphereBytes({0, 0, 0}, 3.0f, 0.25f, Graze).data());
}

TEST_F(SphereBouncerTest, GrazesMirrorsOrIgnoresByMode) {
  expectVec(bounce(*ball(Graze), {0, 4, 0}, {0, -2, 0}), {0, 0.15f, 0});
  expectVec(bounce(*ball(Mirror), {0, 4, 0}, {0, -2, 0}), {0, 1.5f, 0});
  for (int32_t mode : {3, 0, -1}) {
    expectSameBits(bounce(*ball(mode), {0, 4, 0}, {0, -2, 0}), {0, -2, 0});
  }
}

TEST_F(SphereBouncerTest, PredictedPositionOnTheSurfaceIsOutside) {
  expectSameBits(bounce(*ball(Mirror), {0, 5, 0}, {0, -2, 0}), {0, -2, 0});
}

TEST_F(SphereBouncerTest, AParticleInsideIsTurnedEveryStep) {
  SphereBouncer* sphere = ball(Mirror);
  expectVec(bounce(*sphere, {0, 1, 0}, {0, 1, 0}), {0, -0.75f, 0});
  // Inside and heading for the centre: the direction towards the centre is still the normal.
  expectVec(bounce(*sphere, {0, 2, 0}, {0, -1, 0}), {0, 0.75f, 0});
}

TEST_F(SphereBouncerTest, StepScaleSetsThePredictionAndScalesTheResponse) {
  // Predicted (0, 3.5, 0) is outside; with stepScale 1 it would be inside.
  expectSameBits(bounce(*ball(Mirror), {0, 4, 0}, {0, -2, 0}, 0.25f), {0, -2, 0});
  expectVec(bounce(*ball(Mirror), {0, 4, 0}, {0, -2, 0}, 1.5f), {0, 2.25f, 0});
}

TEST_F(SphereBouncerTest, DrawsNothingAndLeavesTheStateAlone) {
  DrawFrame frame({0, 0, 1}, {0, 1, 0});
  ball(Mirror)->draw();
  frame.capture();
  EXPECT_EQ(frame.shapePixels(), 0);
  EXPECT_TRUE(DrawFrame::spriteStateOn());
}

#include "shapes/CylinderBouncer.h"

#include <gtest/gtest.h>

#include "ShapeTesting.h"

namespace {

Bytes cylinderBytes(const Vec3& endA, const Vec3& endB, float radius, float restitution) {
  return Bytes().tag("BCYL").vec(endA).vec(endB).f32(radius).f32(restitution);
}

}  // namespace

class CylinderBouncerTest : public ShapeTest {
 protected:
  // From (0, 0, 0) up to (0, 10, 0), radius 2.
  CylinderBouncer* post() { return read<CylinderBouncer>(cylinderBytes({0, 0, 0}, {0, 10, 0}, 2.0f, 0.75f)); }
};

TEST_F(CylinderBouncerTest, ReadsEightFloatsAndDerivesCapPlanesFacingInwards) {
  const Bytes bytes = cylinderBytes({1, 2, 3}, {1, 2, -5}, 1.5f, 0.5f);
  CylinderBouncer* cylinder = read<CylinderBouncer>(bytes);
  expectSameBits(cylinder->endA, {1, 2, 3});
  expectSameBits(cylinder->endB, {1, 2, -5});
  EXPECT_EQ(cylinder->radius, 1.5f);
  EXPECT_EQ(cylinder->restitution, 0.5f);
  expectVec(cylinder->capPlaneA.normal, {0, 0, -1});
  EXPECT_FLOAT_EQ(cylinder->capPlaneA.offset, 3);
  expectVec(cylinder->capPlaneB.normal, {0, 0, 1});
  EXPECT_FLOAT_EQ(cylinder->capPlaneB.offset, 5);
  EXPECT_EQ(writtenChild(*cylinder), bytes.data());
  EXPECT_EQ(bytes.size(), 4u + 32u);
}

TEST_F(CylinderBouncerTest, DefaultsRunFromTheOriginToOneOneOne) {
  const CylinderBouncer cylinder;
  EXPECT_EQ(writtenChild(cylinder), cylinderBytes({0, 0, 0}, {1, 1, 1}, 2.0f, 0.75f).data());
  const float third = 0.57735026f;
  expectVec(cylinder.capPlaneA.normal, {third, third, third});
  EXPECT_FLOAT_EQ(cylinder.capPlaneA.offset, 0);
  expectVec(cylinder.capPlaneB.normal, {-third, -third, -third});
  EXPECT_FLOAT_EQ(cylinder.capPlaneB.offset, 3 * third);
}

TEST_F(CylinderBouncerTest, SideHitWithinTheStepIncludingItsEnd) {
  expectVec(bounce(*post(), {5, 5, 0}, {-3.5f, 0, 0}), {2.625f, 0, 0});
  expectVec(bounce(*post(), {5, 5, 0}, {-3, 0, 0}), {2.25f, 0, 0});
  expectSameBits(bounce(*post(), {5, 5, 0}, {-2, 0, 0}), {-2, 0, 0});
}

TEST_F(CylinderBouncerTest, CapAFromOutsideAndCapBOnlyFromInside) {
  expectVec(bounce(*post(), {0, -1, 0}, {0, 2, 0}), {0, -1.5f, 0});
  expectVec(bounce(*post(), {0, 9.5f, 0}, {0, 1, 0}), {0, -0.75f, 0});
  // Coming down onto cap B, the ray meets cap A's plane first; cap B is never examined.
  expectSameBits(bounce(*post(), {0, 12, 0}, {0, -3, 0}), {0, -3, 0});
}

TEST_F(CylinderBouncerTest, SideHitOffTheAxisHasTheRadialNormal) {
  CylinderBouncer* cylinder = read<CylinderBouncer>(cylinderBytes({5, 0, 0}, {5, 10, 0}, 2.0f, 0.75f));
  expectVec(bounce(*cylinder, {5, 5, 5}, {0, 0, -4}), {0, 0, 3});
}

TEST_F(CylinderBouncerTest, FromInsideTheFarWallTurnsTheParticle) {
  expectVec(bounce(*post(), {0, 5, 0}, {3, 0, 0}), {-2.25f, 0, 0});
}

TEST_F(CylinderBouncerTest, NearWallBeyondTheCapFallsBackToTheFarWall) {
  // Down and across past cap B: the near wall is met at y = 11, above the cylinder, the far wall
  // at (2, 7, 0), 8.49 along. Cap B's disc lies on the way, but cap A's plane is met first.
  expectVec(bounce(*post(), {-4, 13, 0}, {7, -7, 0}), {-5.25f, -5.25f, 0});
}

TEST_F(CylinderBouncerTest, TheNearerOfCapAndSideWins) {
  // Enters through the side at (-2, 0.5, 0), leaves through cap A: the side.
  expectVec(bounce(*post(), {-3, 1.5f, 0}, {3, -3, 0}), {-2.25f, -2.25f, 0});
  // Enters through cap A at (1.5, 0, 0), leaves through the side: cap A.
  expectVec(bounce(*post(), {0.5f, -1, 0}, {3, 3, 0}), {2.25f, -2.25f, 0});
}

TEST_F(CylinderBouncerTest, ZeroVelocityOrDegenerateAxisHitsNothing) {
  expectSameBits(bounce(*post(), {0, 5, 0}, {0, 0, 0}), {0, 0, 0});
  CylinderBouncer* point = read<CylinderBouncer>(cylinderBytes({0, 0, 0}, {0, 0, 0}, 2.0f, 0.75f));
  expectSameBits(bounce(*point, {0, 1, 0}, {0, -2, 0}), {0, -2, 0});
}

TEST_F(CylinderBouncerTest, DrawsACappedTubeThroughGle) {
  DrawFrame frame({0, 0, 1}, {0, 1, 0});
  read<CylinderBouncer>(cylinderBytes({0, -8, 0}, {0, 8, 0}, 4.0f, 0.75f))->draw();
  frame.capture();
  EXPECT_TRUE(frame.shapeAt(32, 32));
  EXPECT_TRUE(frame.shapeAt(32 - 3, 32 + 7));
  EXPECT_TRUE(frame.shapeAt(32 + 3, 32 - 7));
  EXPECT_FALSE(frame.shapeAt(32 + 6, 32));
  EXPECT_FALSE(frame.shapeAt(32, 32 + 10));
  EXPECT_FALSE(frame.shapeAt(32, 32 - 10));
  EXPECT_GT(frame.shapePixels(), 100);
  EXPECT_LE(frame.shapePixels(), 8 * 16);
  EXPECT_TRUE(DrawFrame::spriteStateOn());
}

#include "shapes/TriangleBouncer.h"

#include <gtest/gtest.h>

#include "ShapeTesting.h"

namespace {

Bytes triangleBytes(const Vec3 (&vertices)[3], float restitution, int32_t mode) {
  Bytes bytes;
  bytes.tag("BTRI");
  for (const Vec3& vertex : vertices) {
    bytes.vec(vertex);
  }
  return bytes.f32(restitution).i32(mode);
}

const Vec3 kDefaultVertices[3] = {{-10, 0, 0}, {10, 0, 0}, {0, 0, 10}};

}  // namespace

class TriangleBouncerTest : public ShapeTest {
 protected:
  TriangleBouncer* floor(int32_t mode) { return read<TriangleBouncer>(triangleBytes(kDefaultVertices, 0.75f, mode)); }
};

TEST_F(TriangleBouncerTest, ReadsTenFloatsAndAModeAndWritesTheModeAsTwo) {
  const Vec3 vertices[3] = {{1.5f, -2, 3}, {4, 5.25f, -6}, {-7, 8, 9.5f}};
  const Bytes bytes = triangleBytes(vertices, 0.3f, 1);
  TriangleBouncer* triangle = read<TriangleBouncer>(bytes);
  for (int i = 0; i < 3; ++i) {
    expectSameBits(triangle->vertices[i], vertices[i]);
  }
  EXPECT_EQ(triangle->restitution, 0.3f);
  EXPECT_EQ(triangle->bounceMode, Graze);
  EXPECT_EQ(writtenChild(*triangle), triangleBytes(vertices, 0.3f, 2).data());
  EXPECT_EQ(bytes.size(), 4u + 44u);
  EXPECT_EQ(floor(7)->bounceMode, Graze);
  EXPECT_EQ(floor(0)->bounceMode, Graze);
}

TEST_F(TriangleBouncerTest, DefaultTriangleHasTheFloorPlanes) {
  const TriangleBouncer constructed;
  EXPECT_EQ(constructed.bounceMode, Mirror);
  EXPECT_EQ(writtenChild(constructed), triangleBytes(kDefaultVertices, 0.75f, 1).data());
  for (const TriangleBouncer* triangle : {&constructed, static_cast<const TriangleBouncer*>(floor(1))}) {
    expectPlane(triangle->patch.face, {0, -1, 0}, 0);
    expectPlane(triangle->patch.edges[0], {0, 0, 1}, 0);
    expectPlane(triangle->patch.edges[1], {-0.7071068f, 0, -0.7071068f}, 7.0710678f);
    expectPlane(triangle->patch.edges[2], {0.7071068f, 0, -0.7071068f}, 7.0710678f);
  }
}

TEST_F(TriangleBouncerTest, ATriangleReadWithMirrorStillGrazes) {
  expectVec(bounce(*floor(Mirror), {0, 1, 3}, {0, -2, 0}), {0, 0.15f, 0});
}

TEST_F(TriangleBouncerTest, AnUnreadTriangleMirrors) {
  TriangleBouncer constructed;
  expectVec(bounce(constructed, {0, 1, 3}, {0, -2, 0}), {0, 1.5f, 0});
}

TEST_F(TriangleBouncerTest, CrossingOutsideTheTriangleChangesNothing) {
  TriangleBouncer* triangle = floor(Graze);
  // Inside the bounding square but beyond the slanted edge x + z = 10.
  expectSameBits(bounce(*triangle, {5, 1, 6}, {0, -2, 0}), {0, -2, 0});
  // Behind the first edge, z = 0.
  expectSameBits(bounce(*triangle, {0, 1, -0.5f}, {0, -2, 0}), {0, -2, 0});
  // On the first edge: the inside test is strict.
  expectSameBits(bounce(*triangle, {0, 1, 0}, {0, -2, 0}), {0, -2, 0});
}

TEST_F(TriangleBouncerTest, PredictedPositionOnThePlaneCountsAsTheNegativeSide) {
  TriangleBouncer* triangle = floor(Graze);
  // From below (the positive side) onto the plane: hit, the normal component kept at -0.1.
  expectVec(bounce(*triangle, {0, -1, 3}, {0, 1, 0}), {0, -0.075f, 0});
  expectSameBits(bounce(*triangle, {0, 1, 3}, {0, -1, 0}), {0, -1, 0});
}

TEST_F(TriangleBouncerTest, DrawsItsTriangleInTheShapeColour) {
  DrawFrame frame({0, 0, 1}, {0, 1, 0});
  const Vec3 vertices[3] = {{-20, -10, 0}, {20, -10, 0}, {0, 20, 0}};
  read<TriangleBouncer>(triangleBytes(vertices, 0.75f, 1))->draw();
  frame.capture();
  EXPECT_TRUE(frame.shapeAt(32, 32));
  EXPECT_TRUE(frame.shapeAt(32 - 18, 32 - 9));
  EXPECT_TRUE(frame.shapeAt(32, 32 + 18));
  EXPECT_FALSE(frame.shapeAt(32 - 10, 32 + 10));
  EXPECT_FALSE(frame.shapeAt(32, 32 - 12));
  EXPECT_NEAR(frame.shapePixels(), 40 * 30 / 2, 40);
  EXPECT_TRUE(DrawFrame::spriteStateOn());
}

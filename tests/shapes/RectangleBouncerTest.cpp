#include "shapes/RectangleBouncer.h"

#include <gtest/gtest.h>

#include "ShapeTesting.h"

namespace {

Bytes rectangleBytes(const Vec3 (&corners)[4], float loss) {
  Bytes bytes;
  bytes.tag("BRCT");
  for (const Vec3& corner : corners) {
    bytes.vec(corner);
  }
  return bytes.f32(loss);
}

const Vec3 kDefaultCorners[4] = {{-10, 0, -10}, {10, 0, -10}, {10, 0, 10}, {-10, 0, 10}};

}  // namespace

class RectangleBouncerTest : public ShapeTest {
 protected:
  RectangleBouncer* floor() { return read<RectangleBouncer>(rectangleBytes(kDefaultCorners, 0.25f)); }
};

TEST_F(RectangleBouncerTest, ReadsAndWritesThirteenFloatsAndDerivesThePlanes) {
  // A wall in x = 2, wound the other way round.
  const Vec3 corners[4] = {{2, -1, -3}, {2, 4, -3}, {2, 4, 5}, {2, -1, 5}};
  const Bytes bytes = rectangleBytes(corners, 0.4f);
  RectangleBouncer* wall = read<RectangleBouncer>(bytes);
  for (int i = 0; i < 4; ++i) {
    expectSameBits(wall->corners[i], corners[i]);
  }
  EXPECT_EQ(wall->loss, 0.4f);
  EXPECT_FLOAT_EQ(wall->restitution, 0.6f);
  expectPlane(wall->patch.face, {1, 0, 0}, -2);
  expectPlane(wall->patch.edges[0], {0, 0, 1}, 3);
  expectPlane(wall->patch.edges[1], {0, -1, 0}, 4);
  expectPlane(wall->patch.edges[2], {0, 0, -1}, 5);
  expectPlane(wall->patch.edges[3], {0, 1, 0}, 1);
  EXPECT_EQ(writtenChild(*wall), bytes.data());
  EXPECT_EQ(bytes.size(), 4u + 52u);
}

TEST_F(RectangleBouncerTest, DefaultPatchHasTheFloorPlanes) {
  const RectangleBouncer constructed;
  EXPECT_EQ(writtenChild(constructed), rectangleBytes(kDefaultCorners, 0.25f).data());
  for (const RectangleBouncer* rectangle : {&constructed, static_cast<const RectangleBouncer*>(floor())}) {
    expectPlane(rectangle->patch.face, {0, -1, 0}, 0);
    expectPlane(rectangle->patch.edges[0], {0, 0, 1}, 10);
    expectPlane(rectangle->patch.edges[1], {-1, 0, 0}, 10);
    expectPlane(rectangle->patch.edges[2], {0, 0, -1}, 10);
    expectPlane(rectangle->patch.edges[3], {1, 0, 0}, 10);
    EXPECT_FLOAT_EQ(rectangle->restitution, 0.75f);
  }
}

TEST_F(RectangleBouncerTest, ParticleCrossingTheFloorBouncesUp) {
  expectVec(bounce(*floor(), {0, 1, 0}, {0, -2, 0}), {0, 1.5f, 0});
  // Not reaching the floor in this step, or already beneath it: nothing.
  expectSameBits(bounce(*floor(), {0, 3, 0}, {0, -2, 0}), {0, -2, 0});
  expectSameBits(bounce(*floor(), {0, -1, 0}, {0, -2, 0}), {0, -2, 0});
}

TEST_F(RectangleBouncerTest, PredictedPositionOnThePlaneCountsAsTheNegativeSide) {
  // The floor's normal points down, so its positive side lies below it.
  expectVec(bounce(*floor(), {0, -1, 0}, {0, 1, 0}), {0, -0.75f, 0});
  expectSameBits(bounce(*floor(), {0, 1, 0}, {0, -1, 0}), {0, -1, 0});
}

TEST_F(RectangleBouncerTest, InsideIsJudgedAtThePredictedPosition) {
  // Meets the plane at x = 10.5, beyond the edge, but ends inside: hit.
  expectVec(bounce(*floor(), {11.5f, 1, 0}, {-2, -2, 0}), {-1.5f, 1.5f, 0});
  // Meets the plane at x = 9.5, inside, but ends beyond the edge: missed.
  expectSameBits(bounce(*floor(), {8.5f, 1, 0}, {2, -2, 0}), {2, -2, 0});
}

TEST_F(RectangleBouncerTest, StepScaleSetsThePredictionAndScalesTheResponse) {
  expectVec(bounce(*floor(), {0, 0.5f, 0}, {0, -2, 0}, 0.5f), {0, 0.75f, 0});
  expectSameBits(bounce(*floor(), {0, 1, 0}, {0, -2, 0}, 0.25f), {0, -2, 0});
}

TEST_F(RectangleBouncerTest, UsesTheDrawnPosition) {
  TestParticles particles;
  // Based beyond the edge, drawn inside it: straight up, the orbit offset is (-r sin a, 0, r cos a).
  Particle& particle = particles.add({10.5f, -1, 0}, {0, 2, 0});
  particle.orbitRadius = 1.0f;
  particle.orbitAngle = 1.5707964f;
  floor()->collide(particles.list);
  expectVec(particle.velocity, {0, -1.5f, 0});
}

TEST_F(RectangleBouncerTest, DrawsItsQuadInTheShapeColour) {
  DrawFrame frame({0, 1, 0}, {0, 0, -1});
  const Vec3 corners[4] = {{-12, 0, -4}, {6, 0, -4}, {6, 0, 20}, {-12, 0, 20}};
  read<RectangleBouncer>(rectangleBytes(corners, 0.25f))->draw();
  frame.capture();
  // Seen from above with -z up the screen: x to the right, z down the screen.
  EXPECT_TRUE(frame.shapeAt(32, 32));
  EXPECT_TRUE(frame.shapeAt(32 - 11, 32 - 19));
  EXPECT_TRUE(frame.shapeAt(32 + 5, 32 + 3));
  EXPECT_FALSE(frame.shapeAt(32 + 7, 32));
  EXPECT_FALSE(frame.shapeAt(32, 32 + 5));
  EXPECT_EQ(frame.shapePixels(), 18 * 24);
  EXPECT_TRUE(DrawFrame::spriteStateOn());
}

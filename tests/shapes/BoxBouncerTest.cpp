#include "shapes/BoxBouncer.h"

#include <gtest/gtest.h>

#include <vector>

#include "ShapeTesting.h"
#include "core/OpenGl.h"

namespace {

Bytes boxBytes(const Vec3& boxMin, const Vec3& boxMax, float restitution) {
  return Bytes().tag("BBOX").vec(boxMin).vec(boxMax).f32(restitution);
}

}  // namespace

using BoxBouncerTest = ShapeTest;

TEST_F(BoxBouncerTest, ReadsAndWritesSevenFloats) {
  const Bytes bytes = boxBytes({-1.5f, 2.0f, -3.25f}, {4.0f, 5.5f, 6.0f}, 0.6f);
  BoxBouncer* box = read<BoxBouncer>(bytes);
  expectSameBits(box->boxMin, {-1.5f, 2.0f, -3.25f});
  expectSameBits(box->boxMax, {4.0f, 5.5f, 6.0f});
  EXPECT_EQ(box->restitution, 0.6f);
  EXPECT_EQ(writtenChild(*box), bytes.data());
  EXPECT_EQ(bytes.size(), 4u + 28u);
}

TEST_F(BoxBouncerTest, DefaultsAreTheUnitBoxWithAQuarterKept) {
  const BoxBouncer box;
  EXPECT_EQ(writtenChild(box), boxBytes({0, 0, 0}, {1, 1, 1}, 0.25f).data());
}

TEST_F(BoxBouncerTest, EntersTheTopFaceWithinOneStep) {
  BoxBouncer box;
  // Entry at t = 0.6666667 on y, normal (0, 1, 0).
  expectVec(bounce(box, {0.5f, 2, 0.5f}, {0, -1.5f, 0}), {0, 0.375f, 0});
  // Entry exactly one velocity length ahead still counts.
  expectVec(bounce(box, {0.5f, 2.5f, 0.5f}, {0, -1.5f, 0}), {0, 0.375f, 0});
}

TEST_F(BoxBouncerTest, EntryFourStepsAheadChangesNothing) {
  BoxBouncer box;
  expectSameBits(bounce(box, {0.5f, 3, 0.5f}, {0, -0.5f, 0}), {0, -0.5f, 0});
}

TEST_F(BoxBouncerTest, EntryUpToOneStepBehindTurnsTheParticleRound) {
  BoxBouncer box;
  // Inside, 0.9 past the x = 0 face: t = -0.9 on x, normal (1, 0, 0).
  expectVec(bounce(box, {0.9f, 0.5f, 0.5f}, {1, 0, 0}), {-0.25f, 0, 0});
  // Slipped 0.1 through the top during the last step: sent back out through it.
  expectVec(bounce(box, {0.5f, 0.9f, 0.5f}, {0, -0.5f, 0}), {0, 0.125f, 0});
  // At the centre the entry is t = -1.6666667 behind: left alone.
  expectSameBits(bounce(box, {0.5f, 0.5f, 0.5f}, {0.3f, 0, 0}), {0.3f, 0, 0});
}

TEST_F(BoxBouncerTest, TiedEntriesGoToZBeforeXAndYAndToYBeforeX) {
  BoxBouncer box;
  // x and y tie: y's face.
  expectVec(bounce(box, {2, 2, 0.5f}, {-1.5f, -1.5f, 0}), {-0.375f, 0.375f, 0});
  // x and z tie: z's face.
  expectVec(bounce(box, {2, 0.5f, 2}, {-1.5f, 0, -1.5f}), {-0.375f, 0, 0.375f});
  // All three tie: z's face.
  expectVec(bounce(box, {2, 2, 2}, {-1.5f, -1.5f, -1.5f}), {-0.375f, -0.375f, 0.375f});
}

TEST_F(BoxBouncerTest, MissesBesideTheBoxAndLeavingAhead) {
  BoxBouncer box;
  // Parallel to x and outside its slab.
  expectSameBits(bounce(box, {1.5f, 2, 0.5f}, {0, -1.5f, 0}), {0, -1.5f, 0});
  // The y slab is entered (t = 0.67) after the x slab is left (t = 0.25).
  expectSameBits(bounce(box, {0.5f, 2, 0.5f}, {2, -1.5f, 0}), {2, -1.5f, 0});
  // Moving away: the slab lies behind.
  expectSameBits(bounce(box, {0.5f, 2, 0.5f}, {0, 1.5f, 0}), {0, 1.5f, 0});
}

TEST_F(BoxBouncerTest, UsesTheDrawnPosition) {
  BoxBouncer box;
  TestParticles particles;
  // Based beside the box, drawn below it: moving straight up, the orbit offset is
  // (-r sin a, 0, r cos a), here (-2, 0, 0).
  Particle& particle = particles.add({2.5f, -1, 0.5f}, {0, 1.5f, 0});
  particle.orbitRadius = 2.0f;
  particle.orbitAngle = 1.5707964f;
  box.collide(particles.list);
  expectVec(particle.velocity, {0, -0.375f, 0});
}

TEST_F(BoxBouncerTest, DrawsSixQuadsInFaceOrder) {
  // Mesa does not free its feedback stage when a context is destroyed; a context that lives as
  // long as the process keeps that block reachable, and the leak checker quiet.
  static DrawFrame* const frame = new DrawFrame({0, 0, 1}, {0, 1, 0});
  static_cast<void>(frame);
  BoxBouncer* box = read<BoxBouncer>(boxBytes({-3, -2, -1}, {4, 5, 6}, 0.25f));
  std::vector<GLfloat> buffer(2000);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  box->draw();
  const int count = glRenderMode(GL_RENDER);
  ASSERT_GT(count, 0);
  // Window to world: one pixel per unit around the centre; depth 0.5 at the eye's z - 1 over 200.
  std::vector<std::vector<Vec3>> polygons;
  for (int i = 0; i < count;) {
    ASSERT_EQ(buffer[static_cast<size_t>(i)], static_cast<GLfloat>(GL_POLYGON_TOKEN));
    const int corners = static_cast<int>(buffer[static_cast<size_t>(i) + 1]);
    std::vector<Vec3> polygon;
    for (int c = 0; c < corners; ++c) {
      const GLfloat* v = &buffer[static_cast<size_t>(i + 2 + 3 * c)];
      polygon.push_back({v[0] - 32.0f, v[1] - 32.0f, 1.0f + (0.5f - v[2]) * 200.0f});
    }
    polygons.push_back(polygon);
    i += 2 + 3 * corners;
  }
  // However the quads are split, the polygons run through the faces x = -3, x = 4, y = -2, y = 5,
  // z = -1, z = 6 in that order, each face covered with its four corners.
  const float faceValues[6] = {-3, 4, -2, 5, -1, 6};
  const auto axisValue = [](const Vec3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; };
  const auto onFace = [&](const std::vector<Vec3>& polygon, int face) {
    for (const Vec3& v : polygon) {
      if (std::abs(axisValue(v, face / 2) - faceValues[face]) > 1e-3f) {
        return false;
      }
    }
    return true;
  };
  int face = 0;
  std::vector<Vec3> seen;
  const auto checkCorners = [&]() {
    int distinct = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
      bool repeated = false;
      for (size_t j = 0; j < i; ++j) {
        repeated = repeated || Vec3::lengthSquared(seen[i] - seen[j]) < 1e-4f;
      }
      distinct += repeated ? 0 : 1;
    }
    EXPECT_EQ(distinct, 4) << "face " << face;
  };
  for (const std::vector<Vec3>& polygon : polygons) {
    if (!onFace(polygon, face)) {
      checkCorners();
      seen.clear();
      ++face;
      ASSERT_LT(face, 6);
      ASSERT_TRUE(onFace(polygon, face)) << "polygon off face " << face;
    }
    seen.insert(seen.end(), polygon.begin(), polygon.end());
  }
  checkCorners();
  EXPECT_EQ(face, 5);
}

TEST_F(BoxBouncerTest, DrawsInTheShapeColourWithSpritesOff) {
  DrawFrame frame({0, 0, 1}, {0, 1, 0});
  BoxBouncer* box = read<BoxBouncer>(boxBytes({-4, -6, -1}, {8, 2, 1}, 0.25f));
  box->draw();
  frame.capture();
  EXPECT_TRUE(frame.shapeAt(32, 32));
  EXPECT_TRUE(frame.shapeAt(32 - 3, 32 - 5));
  EXPECT_TRUE(frame.shapeAt(32 + 7, 32 + 1));
  EXPECT_FALSE(frame.shapeAt(32 - 6, 32));
  EXPECT_FALSE(frame.shapeAt(32, 32 + 4));
  EXPECT_EQ(frame.shapePixels(), 12 * 8);
  EXPECT_TRUE(DrawFrame::spriteStateOn());
}

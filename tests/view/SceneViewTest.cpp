#include "view/SceneView.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/ObjectRegistry.h"
#include "core/OpenGl.h"
#include "core/Random.h"
#include "objfile/MemoryStream.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "support/SceneBytes.h"
#include "tools/headless/EglContext.h"
#include "view/CameraOrbit.h"

namespace {

class SceneViewTest : public testing::Test {
 protected:
  void SetUp() override {
    SceneView::setUpState();
    SceneView::setViewport(kWidth, kHeight);
  }
  void TearDown() override { ObjectRegistry::instance().destroyAll(); }

  // A white particle of half-size 5 resting at the origin, which the camera looks at: about eight
  // pixels wide at this viewport's height.
  static ParticleSystem* restingParticle() {
    const Bytes curves = Bytes().i32(1).i32(0).i32(1).i32(1).f32(5.0f).i32(0);
    MemoryStream stream(sceneFile(systemBody(1, emitterChild(1, 1000, curves))).data());
    return dynamic_cast<ParticleSystem*>(SceneLoader::instance().load(stream));
  }

  const uint8_t* pixel(const std::vector<uint8_t>& pixels, int x, int y) const {
    return &pixels[(static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)) * 4];
  }

  static constexpr int kWidth = 64;
  static constexpr int kHeight = 48;
  EglContext context_{kWidth, kHeight};
};

GLint depth(GLenum which) {
  GLint value = 0;
  glGetIntegerv(which, &value);
  return value;
}

}  // namespace

TEST_F(SceneViewTest, EachFrameDarkensThePreviousOneByTheFade) {
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  SceneView(false, 0.25f).drawFrame(nullptr);
  const std::vector<uint8_t> pixels = context_.readPixels();
  EXPECT_NEAR(pixel(pixels, 5, 5)[0], 191, 1);
  EXPECT_NEAR(pixel(pixels, 40, 30)[1], 191, 1);
}

TEST_F(SceneViewTest, FullFadeLeavesOnlyThisFramesParticleAtTheCentre) {
  ParticleSystem* scene = restingParticle();
  ASSERT_NE(scene, nullptr);
  SceneView view(false, 1.0f);
  view.drawFrame(scene);
  const std::vector<uint8_t> pixels = context_.readPixels();
  EXPECT_EQ(pixel(pixels, kWidth / 2, kHeight / 2)[0], 255);
  EXPECT_EQ(pixel(pixels, 2, 2)[0], 0);
  EXPECT_EQ(scene->particles().size(), 1u);
}

TEST_F(SceneViewTest, FrameLeavesTheMatrixStacksAsItFoundThem) {
  ParticleSystem* scene = restingParticle();
  const GLint modelview = depth(GL_MODELVIEW_STACK_DEPTH);
  const GLint projection = depth(GL_PROJECTION_STACK_DEPTH);
  const GLint texture = depth(GL_TEXTURE_STACK_DEPTH);
  SceneView view(true, 0.3f);
  for (int frame = 0; frame < 3; ++frame) {
    view.drawFrame(scene);
    view.advanceCamera();
  }
  EXPECT_EQ(depth(GL_MODELVIEW_STACK_DEPTH), modelview);
  EXPECT_EQ(depth(GL_PROJECTION_STACK_DEPTH), projection);
  EXPECT_EQ(depth(GL_TEXTURE_STACK_DEPTH), texture);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(SceneViewTest, FixedCameraStaysWhereItStartsAndAnOrbitTurns) {
  SceneView fixed(false, 0.15f);
  SceneView orbiting(true, 0.3f);
  for (int frame = 0; frame < 100; ++frame) {
    fixed.advanceCamera();
    orbiting.advanceCamera();
  }
  EXPECT_EQ(fixed.cameraAngle(), 0.25f);
  EXPECT_NEAR(orbiting.cameraAngle(), 1.25f, 1e-5f);

  fixed.drawFrame(nullptr);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  // The eye is where the inverse of the camera's rotation takes the translation back to.
  const Vec3 eye(-(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]), -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]),
                 -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14]));
  EXPECT_NEAR(eye.x, 12.37f, 0.01f);
  EXPECT_NEAR(eye.y, 22.37f, 0.01f);
  EXPECT_NEAR(eye.z, 58.13f, 0.01f);
}

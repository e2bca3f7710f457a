#include "ShapeTesting.h"

#include <cstdlib>

#include "core/OpenGl.h"

void ShapeTest::TearDown() { ObjectRegistry::instance().destroyAll(); }

Vec3 ShapeTest::bounce(Bouncer& shape, const Vec3& position, const Vec3& velocity, float stepScale) {
  TestParticles particles;
  particles.add(position, velocity, stepScale);
  shape.collide(particles.list);
  return particles.list.front()->velocity;
}

DrawFrame::DrawFrame(const Vec3& eye, const Vec3& up) : context_(kSize, kSize) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-kSize / 2, kSize / 2, -kSize / 2, kSize / 2, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, up.x, up.y, up.z);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  const uint8_t red[4] = {255, 0, 0, 255};
  glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, red);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_ZERO, GL_ZERO);
  glEnable(GL_BLEND);
}

DrawFrame::~DrawFrame() { glDeleteTextures(1, &texture_); }

void DrawFrame::capture() {
  pixels_ = context_.readPixels();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

bool DrawFrame::shapeAt(int x, int y) const {
  const uint8_t* pixel = &pixels_.at((static_cast<size_t>(y) * kSize + static_cast<size_t>(x)) * 4);
  // 0.45 and 0.65 of 255, rounded either way.
  const auto within = [](int value, int expected) { return std::abs(value - expected) <= 1; };
  return within(pixel[0], 115) && within(pixel[1], 166) && within(pixel[2], 115);
}

int DrawFrame::shapePixels() const {
  int count = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      count += shapeAt(x, y) ? 1 : 0;
    }
  }
  return count;
}

bool DrawFrame::spriteStateOn() { return glIsEnabled(GL_TEXTURE_2D) && glIsEnabled(GL_BLEND); }

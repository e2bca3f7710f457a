#include "tools/headless/EglContext.h"

#include <gtest/gtest.h>

#include "core/OpenGl.h"

TEST(EglContextTest, DrawsDesktopOpenGlIntoAPbufferAndReadsItBack) {
  EglContext context(8, 4);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  // Immediate mode, as the engine draws: the compatibility profile is required.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_QUADS);
  glVertex3f(0.0f, -1.0f, 0.0f);
  glVertex3f(1.0f, -1.0f, 0.0f);
  glVertex3f(1.0f, 1.0f, 0.0f);
  glVertex3f(0.0f, 1.0f, 0.0f);
  glEnd();
  const std::vector<uint8_t> pixels = context.readPixels();
  ASSERT_EQ(pixels.size(), 8u * 4u * 4u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Left half red, right half green.
  EXPECT_EQ(pixels[0], 255);
  EXPECT_EQ(pixels[1], 0);
  const size_t right = 7 * 4;
  EXPECT_EQ(pixels[right], 0);
  EXPECT_EQ(pixels[right + 1], 255);
}

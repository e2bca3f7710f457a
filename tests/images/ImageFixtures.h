#pragma once
// Image loading helpers and read-backs of the texture OpenGL holds, for the image tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/OpenGl.h"
#include "core/vtException.h"
#include "images/Image.h"
#include "support/ImageBytes.h"
#include "support/TempDir.h"

using Pixels = std::vector<uint8_t>;

// The code loadFile raises for path; a test failure when it raises nothing.
ErrorCode loadError(Image& image, const std::string& path);

// Loads the bytes, written as a file, into a new image of class T and returns the code it raises;
// the image must be left unloaded.
template <class T>
ErrorCode rejectedWith(const TempDir& dir, const std::vector<uint8_t>& bytes) {
  T image;
  const ErrorCode code = loadError(image, dir.write("rejected", bytes));
  EXPECT_EQ(image.loadState(), ImageLoadFailed);
  EXPECT_EQ(image.width(), 0);
  return code;
}

// createTexture on an image that is not loaded: 0, and no OpenGL state touched.
void expectNoTexture(Image& image);

// State of the texture bound to GL_TEXTURE_2D.
GLint textureParameter(GLenum name);
GLint levelParameter(GLint level, GLenum name);
// Level 0 as tightly packed bytes of the given format.
std::vector<uint8_t> levelTexels(GLenum format, int channels);

#pragma once
// Image files built byte by byte, and read-backs of the texture OpenGL holds, for the image tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/OpenGl.h"
#include "core/vtException.h"
#include "images/Image.h"
#include "support/TempDir.h"

using Pixels = std::vector<uint8_t>;

// A Windows bitmap: 14-byte file header, 40-byte information header, palette, pixel data. The
// pixel data offset and the file size are derived from the parts.
struct BmpFile {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  std::vector<uint8_t> palette;
  std::vector<uint8_t> pixels;

  std::vector<uint8_t> bytes() const;
};

// An uncompressed true-colour Targa file: the 18-byte header, then the pixels as given.
std::vector<uint8_t> tgaFile(uint16_t width, uint16_t height, uint8_t bitsPerPixel,
                             const std::vector<uint8_t>& pixels);

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

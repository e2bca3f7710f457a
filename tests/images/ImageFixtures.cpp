#include "ImageFixtures.h"

#include <gtest/gtest.h>

#include "support/Bytes.h"

std::vector<uint8_t> BmpFile::bytes() const {
  const uint32_t infoHeaderSize = 40;
  const auto dataOffset = static_cast<uint32_t>(14 + infoHeaderSize + palette.size());
  return Bytes()
      .u8('B')
      .u8('M')
      .u32(static_cast<uint32_t>(dataOffset + pixels.size()))
      .u16(0)
      .u16(0)
      .u32(dataOffset)
      .u32(infoHeaderSize)
      .i32(width)
      .i32(height)
      .u16(1)
      .u16(bitCount)
      .u32(compression)
      .u32(imageSize)
      .i32(2835)
      .i32(2835)
      .u32(static_cast<uint32_t>(palette.size() / 4))
      .u32(0)
      .raw(palette)
      .raw(pixels)
      .data();
}

std::vector<uint8_t> tgaFile(uint16_t width, uint16_t height, uint8_t bitsPerPixel,
                             const std::vector<uint8_t>& pixels) {
  Bytes bytes;
  bytes.u8(0).u8(0).u8(2);
  for (int i = 0; i < 9; ++i) {
    bytes.u8(0);
  }
  // Descriptor: the alpha bits of a 32-bit file, origin bottom left.
  return bytes.u16(width).u16(height).u8(bitsPerPixel).u8(bitsPerPixel == 32 ? 8 : 0).raw(pixels).data();
}

ErrorCode loadError(Image& image, const std::string& path) {
  try {
    image.loadFile(path.c_str());
  } catch (const vtException& e) {
    return e.code;
  }
  ADD_FAILURE() << path << " loaded";
  return ErrorCode::NotEnoughMemory;
}

void expectNoTexture(Image& image) {
  ASSERT_NE(image.loadState(), ImageLoaded);
  GLint before = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &before);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  EXPECT_EQ(image.createTexture(), 0u);
  GLint bound = -1;
  GLint alignment = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(bound, before);
  EXPECT_EQ(alignment, 1);
}

GLint textureParameter(GLenum name) {
  GLint value = -1;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

GLint levelParameter(GLint level, GLenum name) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
  return value;
}

std::vector<uint8_t> levelTexels(GLenum format, int channels) {
  const GLint count = levelParameter(0, GL_TEXTURE_WIDTH) * levelParameter(0, GL_TEXTURE_HEIGHT);
  std::vector<uint8_t> texels(static_cast<size_t>(count * channels));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

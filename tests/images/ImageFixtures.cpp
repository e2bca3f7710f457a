#include "ImageFixtures.h"

#include <gtest/gtest.h>

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

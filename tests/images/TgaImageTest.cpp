#include "images/TgaImage.h"

#include <gtest/gtest.h>

#include "ImageFixtures.h"
#include "support/TempDir.h"
#include "tools/headless/EglContext.h"

TEST(TgaImageTest, TwentyFourBitPixelsBecomeRgbaWithOpaqueAlpha) {
  TempDir dir;
  TgaImage image;
  image.loadFile(dir.write("a.tga", tgaFile(2, 1, 24, {10, 20, 30, 40, 50, 60})).c_str());
  EXPECT_EQ(image.loadState(), ImageLoaded);
  EXPECT_EQ(image.width(), 2);
  EXPECT_EQ(image.height(), 1);
  EXPECT_EQ(image.bitsPerPixel(), 24);
  EXPECT_EQ(image.rgba(), (Pixels{30, 20, 10, 255, 60, 50, 40, 255}));
}

TEST(TgaImageTest, ThirtyTwoBitPixelsSwapRedAndBlueAndKeepAlpha) {
  TempDir dir;
  TgaImage image;
  image.loadFile(dir.write("a.tga", tgaFile(1, 1, 32, {1, 2, 3, 4})).c_str());
  EXPECT_EQ(image.loadState(), ImageLoaded);
  EXPECT_EQ(image.rgba(), (Pixels{3, 2, 1, 4}));
}

TEST(TgaImageTest, HeaderOtherThanUncompressedTrueColourIsIllegalTga) {
  TempDir dir;
  const Pixels good = tgaFile(1, 1, 24, {1, 2, 3});
  for (const auto& [at, value] : {std::pair<size_t, uint8_t>{2, 10}, {1, 1}, {0, 5}, {8, 1}, {11, 1}}) {
    Pixels bytes = good;
    bytes[at] = value;
    EXPECT_EQ(rejectedWith<TgaImage>(dir, bytes), ErrorCode::IllegalTga) << "byte " << at << " = " << int{value};
  }
}

TEST(TgaImageTest, ZeroSidesAndOtherDepthsAreIllegalTga) {
  TempDir dir;
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(0, 1, 24, {1, 2, 3})), ErrorCode::IllegalTga);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(1, 0, 24, {1, 2, 3})), ErrorCode::IllegalTga);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(1, 1, 16, {1, 2, 3})), ErrorCode::IllegalTga);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(1, 1, 8, {1, 2, 3})), ErrorCode::IllegalTga);
}

TEST(TgaImageTest, FileShorterThanItsPixelsIsIllegalTga) {
  TempDir dir;
  // 2 x 2 at 24 bits needs 12 bytes after the header; the last byte is missing.
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(2, 2, 24, Pixels(11, 7))), ErrorCode::IllegalTga);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(1, 1, 32, {1, 2, 3})), ErrorCode::IllegalTga);
  // Ends inside the header, and empty.
  Pixels cut = tgaFile(1, 1, 24, {1, 2, 3});
  cut.resize(17);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, cut), ErrorCode::IllegalTga);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, {}), ErrorCode::IllegalTga);
}

TEST(TgaImageTest, TrailingBytesAfterThePixelsAreIgnored) {
  TempDir dir;
  TgaImage image;
  image.loadFile(dir.write("a.tga", tgaFile(1, 1, 24, {1, 2, 3, 9, 9, 9, 9})).c_str());
  EXPECT_EQ(image.rgba(), (Pixels{3, 2, 1, 255}));
}

TEST(TgaImageTest, SidesAreBoundedBeforeAnythingIsAllocated) {
  TempDir dir;
  TgaImage wide;
  wide.loadFile(dir.write("wide.tga", tgaFile(kMaxImageSide, 1, 24, Pixels(3 * kMaxImageSide, 1))).c_str());
  EXPECT_EQ(wide.width(), kMaxImageSide);
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(kMaxImageSide + 1, 1, 24, Pixels(3 * (kMaxImageSide + 1), 1))),
            ErrorCode::IllegalTga);
  // 65535 x 65535 at 32 bits would be 16 GiB: refused from the header alone.
  EXPECT_EQ(rejectedWith<TgaImage>(dir, tgaFile(65535, 65535, 32, {1, 2, 3, 4})), ErrorCode::IllegalTga);
}

TEST(TgaImageTest, MissingFileIsFileNotFound) {
  TempDir dir;
  TgaImage image;
  EXPECT_EQ(loadError(image, dir.path("missing.tga")), ErrorCode::FileNotFound);
  EXPECT_EQ(image.loadState(), ImageLoadFailed);
  EXPECT_EQ(image.width(), 0);
}

TEST(TgaImageTest, TextureIsClampedMipmappedRgbaOfThePixels) {
  TempDir dir;
  EglContext context(4, 4);
  TgaImage image;
  const Pixels bgra = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  image.loadFile(dir.write("a.tga", tgaFile(2, 2, 32, bgra)).c_str());
  const uint32_t texture = image.createTexture();
  ASSERT_NE(texture, 0u);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<uint32_t>(bound), texture);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_CLAMP);
  EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_CLAMP);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 2);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(levelTexels(GL_RGBA, 4), (Pixels{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GLuint name = texture;
  glDeleteTextures(1, &name);
}

TEST(TgaImageTest, ImageNotLoadedGivesNoTexture) {
  TempDir dir;
  EglContext context(4, 4);
  TgaImage image;
  expectNoTexture(image);
  EXPECT_EQ(loadError(image, dir.write("bad.tga", tgaFile(1, 1, 16, {1, 2}))), ErrorCode::IllegalTga);
  expectNoTexture(image);
}

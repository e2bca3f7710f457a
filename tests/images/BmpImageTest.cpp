#include "images/BmpImage.h"

#include <gtest/gtest.h>

#include "ImageFixtures.h"
#include "support/TempDir.h"
#include "tools/headless/EglContext.h"

namespace {

// width x height at 24 bits, every row padded to a multiple of 4 bytes.
BmpFile rgbBitmap(int32_t width, int32_t height) {
  BmpFile file;
  file.width = width;
  file.height = height;
  const size_t stride = (3 * static_cast<size_t>(width) + 3) / 4 * 4;
  file.pixels.assign(stride * static_cast<size_t>(height < 0 ? -height : height), 0);
  return file;
}

}  // namespace

TEST(BmpImageTest, SizeZeroInTheHeaderMeansPaddedRowsTimesHeight) {
  TempDir dir;
  BmpImage image;
  image.loadFile(dir.write("a.bmp", rgbBitmap(3, 2).bytes()).c_str());
  EXPECT_EQ(image.loadState(), ImageLoaded);
  EXPECT_EQ(image.pixelSize(), 24);
  EXPECT_EQ(image.infoSize(), 40);
  EXPECT_EQ(image.width(), 3);
  EXPECT_EQ(image.height(), 2);
  EXPECT_EQ(image.bitCount(), 24);
  EXPECT_EQ(image.fileName().c_str(), dir.path("a.bmp"));
}

TEST(BmpImageTest, StoredImageSizeIsReadAsItStandsFromTheDataOffset) {
  TempDir dir;
  BmpFile file = rgbBitmap(1, 1);
  file.palette = {9, 9, 9, 9};
  file.pixels = {1, 2, 3, 0, 4, 5};
  file.imageSize = 6;
  BmpImage image;
  image.loadFile(dir.write("a.bmp", file.bytes()).c_str());
  EXPECT_EQ(image.infoSize(), 44);
  EXPECT_EQ(image.pixelSize(), 6);
  EXPECT_EQ(image.pixels(), (Pixels{1, 2, 3, 0, 4, 5}));
}

TEST(BmpImageTest, NotBmIsIllegalBmp) {
  TempDir dir;
  Pixels bytes = rgbBitmap(1, 1).bytes();
  bytes[0] = 'M';
  bytes[1] = 'B';
  EXPECT_EQ(rejectedWith<BmpImage>(dir, bytes), ErrorCode::IllegalBmp);
}

TEST(BmpImageTest, ShortHeaderOrInformationBlockIsIllegalBmp) {
  TempDir dir;
  const Pixels whole = rgbBitmap(1, 1).bytes();
  for (size_t length : {0, 13, 14, 30, 53}) {
    EXPECT_EQ(rejectedWith<BmpImage>(dir, Pixels(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length))),
              ErrorCode::IllegalBmp)
        << length << " bytes";
  }
  // A pixel data offset that leaves no room for the fields read, or lies before the header's end.
  for (uint8_t offset : {37, 13, 0}) {
    Pixels bytes = whole;
    bytes[10] = offset;
    EXPECT_EQ(rejectedWith<BmpImage>(dir, bytes), ErrorCode::IllegalBmp) << "offset " << int{offset};
  }
}

TEST(BmpImageTest, ShortPixelDataIsIllegalBmp) {
  TempDir dir;
  Pixels bytes = rgbBitmap(3, 2).bytes();
  bytes.pop_back();
  EXPECT_EQ(rejectedWith<BmpImage>(dir, bytes), ErrorCode::IllegalBmp);
  // A stored size beyond the file is refused before a buffer of that size is made.
  BmpFile huge = rgbBitmap(3, 2);
  huge.imageSize = 0xFFFFFFF0u;
  EXPECT_EQ(rejectedWith<BmpImage>(dir, huge.bytes()), ErrorCode::IllegalBmp);
}

TEST(BmpImageTest, UncompressedSizeBelowItsRowsIsIllegalBmp) {
  TempDir dir;
  // 3 x 2 needs two rows of 12 bytes; a stated size of 23 would leave the copy short.
  BmpFile file = rgbBitmap(3, 2);
  file.imageSize = 23;
  EXPECT_EQ(rejectedWith<BmpImage>(dir, file.bytes()), ErrorCode::IllegalBmp);
}

TEST(BmpImageTest, CompressedDataLoadsAtItsStatedSize) {
  TempDir dir;
  BmpFile file;
  file.width = 4;
  file.height = 4;
  file.bitCount = 8;
  file.compression = 1;
  file.palette = Pixels(8, 0xFF);
  file.pixels = {0, 1};
  file.imageSize = 2;
  BmpImage image;
  image.loadFile(dir.write("rle.bmp", file.bytes()).c_str());
  EXPECT_EQ(image.loadState(), ImageLoaded);
  EXPECT_EQ(image.pixelSize(), 2);
  EXPECT_EQ(image.compression(), 1u);
}

TEST(BmpImageTest, NegativeOrHugeSidesAreIllegalBmp) {
  TempDir dir;
  for (auto [width, height] : {std::pair<int32_t, int32_t>{-1, 1}, {INT32_MIN, 1}, {kMaxImageSide + 1, 1},
                               {1, kMaxImageSide + 1}, {1, -kMaxImageSide - 1}, {1, INT32_MIN}}) {
    BmpFile file = rgbBitmap(1, 1);
    file.width = width;
    file.height = height;
    EXPECT_EQ(rejectedWith<BmpImage>(dir, file.bytes()), ErrorCode::IllegalBmp) << width << " x " << height;
  }
}

TEST(BmpImageTest, MissingFileIsFileNotFound) {
  TempDir dir;
  BmpImage image;
  EXPECT_EQ(loadError(image, dir.path("missing.bmp")), ErrorCode::FileNotFound);
  EXPECT_EQ(image.loadState(), ImageLoadFailed);
}

class BmpTextureTest : public testing::Test {
 protected:
  // Loads the file and makes its texture, which stays bound.
  uint32_t textureOf(const BmpFile& file) {
    image.loadFile(dir.write("t.bmp", file.bytes()).c_str());
    texture = image.createTexture();
    return texture;
  }
  void TearDown() override {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &texture);
  }

  TempDir dir;
  EglContext context{4, 4};
  BmpImage image;
  GLuint texture = 0;
};

TEST_F(BmpTextureTest, RowsAreConvertedToRgbAndThePaddingSkipped) {
  BmpFile file = rgbBitmap(2, 2);
  // Stride 8: two blue-green-red pixels and two padding bytes per row, bottom row first.
  file.pixels = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
  ASSERT_NE(textureOf(file), 0u);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), texture);
  EXPECT_EQ(levelTexels(GL_RGB, 3), (Pixels{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
}

TEST_F(BmpTextureTest, FiltersAreMipmappedAndWrapStaysRepeat) {
  ASSERT_NE(textureOf(rgbBitmap(4, 2)), 0u);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
  EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
}

TEST_F(BmpTextureTest, NonSquareBitmapKeepsItsSides) {
  ASSERT_NE(textureOf(rgbBitmap(4, 2)), 0u);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 4);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 2);
  EXPECT_EQ(levelParameter(1, GL_TEXTURE_HEIGHT), 1);
}

TEST_F(BmpTextureTest, PaletteBitmapLoadsButIsBlack) {
  BmpFile file;
  file.width = 2;
  file.height = 2;
  file.bitCount = 8;
  file.palette = {10, 20, 30, 0, 40, 50, 60, 0};
  file.pixels = {0, 1, 0, 0, 1, 0, 0, 0};
  ASSERT_NE(textureOf(file), 0u);
  EXPECT_EQ(image.pixelSize(), 8);
  EXPECT_EQ(levelTexels(GL_RGB, 3), Pixels(12, 0));
}

TEST_F(BmpTextureTest, TopDownBitmapLoadsAndGivesABlackTextureOfItsRows) {
  BmpFile file = rgbBitmap(2, -2);
  file.pixels.assign(file.pixels.size(), 0x7F);
  ASSERT_NE(textureOf(file), 0u);
  EXPECT_EQ(image.height(), -2);
  EXPECT_EQ(image.pixelSize(), 16);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(levelTexels(GL_RGB, 3), Pixels(12, 0));
}

TEST_F(BmpTextureTest, ZeroWidthBitmapLoadsAndGivesAnEmptyTexture) {
  ASSERT_NE(textureOf(rgbBitmap(0, 2)), 0u);
  EXPECT_EQ(image.pixelSize(), 0);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 0);
}

TEST_F(BmpTextureTest, ImageNotLoadedGivesNoTexture) {
  expectNoTexture(image);
  Pixels bytes = rgbBitmap(1, 1).bytes();
  bytes[0] = 'X';
  EXPECT_EQ(loadError(image, dir.write("bad.bmp", bytes)), ErrorCode::IllegalBmp);
  expectNoTexture(image);
}

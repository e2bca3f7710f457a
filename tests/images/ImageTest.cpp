#include "images/Image.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "ImageFixtures.h"
#include "core/ObjectRegistry.h"
#include "images/BmpImage.h"
#include "images/TgaImage.h"
#include "objfile/MemoryStream.h"
#include "scene/ObjectFactory.h"
#include "support/Bytes.h"
#include "support/TempDir.h"
#include "tools/headless/EglContext.h"

// This test program's gluBuild2DMipmaps: it notes how many bytes the buffer it is handed holds
// and the unpack alignment it is called under, then hands everything to GLU's own.
namespace {
size_t uploadedBufferBytes = 0;
GLint uploadAlignment = 0;
}  // namespace

extern "C" GLint GLAPIENTRY gluBuild2DMipmaps(GLenum target, GLint components, GLsizei width, GLsizei height,
                                              GLenum format, GLenum type, const void* data) {
  uploadedBufferBytes = malloc_usable_size(const_cast<void*>(data));
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &uploadAlignment);
  using Build = GLint(GLAPIENTRY*)(GLenum, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*);
  static const auto glu = reinterpret_cast<Build>(dlsym(RTLD_NEXT, "gluBuild2DMipmaps"));
  return glu(target, components, width, height, format, type, data);
}

namespace {

// Scenes name their images relative to the current directory: the tests run from the fixture's
// folder and go back afterwards.
class ImageTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.path("").c_str()), 0);
    dir.write("sprite.bmp", rgbBitmap().bytes());
    dir.write("sprite.tga", tgaFile(1, 1, 24, {1, 2, 3}));
  }
  void TearDown() override {
    ObjectRegistry::instance().destroyAll();
    EXPECT_EQ(chdir(previous), 0);
  }

  static BmpFile rgbBitmap() {
    BmpFile file;
    file.pixels = {1, 2, 3, 0};
    return file;
  }

  TempDir dir;
  char previous[4096] = {};
};

}  // namespace

TEST_F(ImageTest, RecordIsTheFileNameAndItsNul) {
  BmpImage written;
  written.loadFile("sprite.bmp");
  MemoryStream stream;
  written.write(stream);
  EXPECT_EQ(stream.bytes(), Bytes().str("sprite.bmp").data());

  stream.seek(0, SeekBegin);
  BmpImage read;
  read.read(stream);
  EXPECT_STREQ(read.fileName().c_str(), "sprite.bmp");
  EXPECT_EQ(read.loadState(), ImageLoaded);
  EXPECT_EQ(read.pixels(), (std::vector<uint8_t>{1, 2, 3, 0}));
}

TEST_F(ImageTest, SceneStreamReadsEitherKindAndLoadsItsFile) {
  MemoryStream stream(Bytes().tag("IBMP").str("sprite.bmp").tag("ITGA").str("sprite.tga").u8(0x55).data());
  Image* bitmap = ObjectFactory::instance().readChild<Image>(stream);
  Image* targa = ObjectFactory::instance().readChild<Image>(stream);
  ASSERT_NE(dynamic_cast<BmpImage*>(bitmap), nullptr);
  ASSERT_NE(dynamic_cast<TgaImage*>(targa), nullptr);
  EXPECT_EQ(bitmap->tag(), makeTag("IBMP"));
  EXPECT_EQ(targa->tag(), makeTag("ITGA"));
  EXPECT_EQ(bitmap->loadState(), ImageLoaded);
  EXPECT_EQ(targa->loadState(), ImageLoaded);
  EXPECT_EQ(static_cast<TgaImage*>(targa)->rgba(), (std::vector<uint8_t>{3, 2, 1, 255}));
  // The record ends at the NUL.
  uint8_t next = 0;
  stream.readExactly(&next, 1);
  EXPECT_EQ(next, 0x55);
}

TEST_F(ImageTest, FailingLoadRaisesOutOfTheSceneRead) {
  for (const char* tag : {"IBMP", "ITGA"}) {
    const char name[5] = {tag[0], tag[1], tag[2], tag[3], 0};
    MemoryStream stream(Bytes().tag(name).str("missing.img").data());
    try {
      ObjectFactory::instance().readChild<Image>(stream);
      ADD_FAILURE() << tag << " loaded";
    } catch (const vtException& e) {
      EXPECT_EQ(e.code, ErrorCode::FileNotFound) << tag;
    }
  }
  // A bitmap named as a Targa file is refused by the Targa reader.
  MemoryStream wrongKind(Bytes().tag("ITGA").str("sprite.bmp").data());
  try {
    ObjectFactory::instance().readChild<Image>(wrongKind);
    ADD_FAILURE() << "bitmap read as Targa";
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::IllegalTga);
  }
}

TEST_F(ImageTest, WithoutACurrentContextNoTextureIsMade) {
  // A tool that only loads or simulates a scene has no OpenGL context; GLU would crash without one.
  TgaImage targa;
  targa.loadFile("sprite.tga");
  BmpImage bitmap;
  bitmap.loadFile("sprite.bmp");
  ASSERT_EQ(targa.loadState(), ImageLoaded);
  ASSERT_EQ(bitmap.loadState(), ImageLoaded);
  EXPECT_EQ(targa.createTexture(), 0u);
  EXPECT_EQ(bitmap.createTexture(), 0u);
}

// Found by fuzzing, twice: shrinking a side that is not a power of two, GLU reads up to one pixel
// past the last row it is given (up to 4 bytes measured, for sizes up to 2047), and it packs its
// scaled copies tight but has the driver read them with the caller's unpack alignment, so under 4
// an odd-width red-green-blue picture (1 x 77) was read past GLU's own copy. GLU gets tight rows
// under alignment 1 with one row and one pixel of slack, and alignment 4 is back afterwards; the
// texture holds the same texels.
TEST_F(ImageTest, GluIsHandedTightRowsWithSlackUnderAlignmentOne) {
  EglContext context(1, 1);
  BmpFile column;
  column.width = 1;
  column.height = 42;
  column.pixels.assign(4 * 42, 9);
  BmpImage bitmap;
  bitmap.loadFile(dir.write("column.bmp", column.bytes()).c_str());
  GLuint texture = bitmap.createTexture();
  EXPECT_EQ(uploadAlignment, 1);
  EXPECT_GE(uploadedBufferBytes, 3u * 42 + 3 + 3);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
  // Scaled to 1 x 32 (GLU picks the power of two nearest to 42): every texel the bitmap's blue-green-red 9 9 9.
  EXPECT_EQ(levelTexels(GL_RGB, 3), std::vector<uint8_t>(3 * 32, 9));
  glDeleteTextures(1, &texture);

  TgaImage targa;
  targa.loadFile(dir.write("column.tga", tgaFile(2, 21, 32, std::vector<uint8_t>(168, 9))).c_str());
  texture = targa.createTexture();
  EXPECT_EQ(uploadAlignment, 1);
  EXPECT_GE(uploadedBufferBytes, 168u + 8 + 4);
  glDeleteTextures(1, &texture);
}

// An image name comes from the scene file: a FIFO there would block the load for ever in the
// open, waiting for a writer, and a folder or a device is no picture.
TEST_F(ImageTest, OnlyARegularFileIsAnImage) {
  ASSERT_EQ(mkfifo(dir.path("pipe.tga").c_str(), 0600), 0);
  std::filesystem::create_directory(dir.path("folder.bmp"));
  for (const char* name : {"pipe.tga", "folder.bmp", "/dev/zero"}) {
    TgaImage targa;
    EXPECT_EQ(loadError(targa, name), ErrorCode::FileNotFound) << name;
    BmpImage bitmap;
    EXPECT_EQ(loadError(bitmap, name), ErrorCode::FileNotFound) << name;
  }
}

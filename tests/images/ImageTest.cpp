#include "images/Image.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "ImageFixtures.h"
#include "core/ObjectRegistry.h"
#include "images/BmpImage.h"
#include "images/TgaImage.h"
#include "objfile/MemoryStream.h"
#include "objfile/ObjectFactory.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

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

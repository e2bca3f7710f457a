#include "objfile/FieldIo.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/vtException.h"
#include "objfile/MemoryStream.h"
#include "objfile/StreamFactory.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

TEST(FieldIoTest, TagsAreStoredLittleEndianSoTheCharactersAppearReversed) {
  EXPECT_EQ(makeTag("PSHD"), 0x50534844u);
  EXPECT_EQ(makeTag("PSYS"), 0x50535953u);
  MemoryStream stream;
  writeTag(stream, makeTag("PSHD"));
  writeTag(stream, makeTag("EMIT"));
  EXPECT_EQ(stream.bytes(), (std::vector<uint8_t>{0x44, 0x48, 0x53, 0x50, 0x54, 0x49, 0x4D, 0x45}));
}

TEST(FieldIoTest, ScalarsAndVectorsRoundTripBitForBit) {
  MemoryStream stream;
  writeField(stream, -2.5f);
  writeField(stream, int32_t{-7});
  writeField(stream, Vec3{1.0f, -0.0f, 3.25f});
  writeField(stream, Color4{0.1f, 0.2f, 0.3f, 0.4f});
  EXPECT_EQ(stream.bytes().size(), 4u + 4u + 12u + 16u);
  stream.seek(0, SeekBegin);
  float f;
  int32_t i;
  Vec3 v;
  Color4 c;
  readField(stream, f);
  readField(stream, i);
  readField(stream, v);
  readField(stream, c);
  EXPECT_EQ(f, -2.5f);
  EXPECT_EQ(i, -7);
  EXPECT_EQ(v.z, 3.25f);
  EXPECT_TRUE(std::signbit(v.y));
  EXPECT_EQ(c.a, 0.4f);
}

TEST(FieldIoTest, GzipDataEndingInsideAFieldIsReadFailed) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("short.gz", Bytes().u32(5).u16(1).data()).c_str());
  uint32_t whole = 0;
  readField(*stream, whole);
  EXPECT_EQ(whole, 5u);
  try {
    readField(*stream, whole);
    FAIL() << "a field with two of its four bytes was accepted";
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::ReadFailed);
  }
}

#include "objfile/StringIo.h"

#include <gtest/gtest.h>

#include "core/vtException.h"
#include "objfile/MemoryStream.h"

TEST(StringIoTest, EmptyStringIsOneZeroByte) {
  MemoryStream stream;
  writeTo(stream, String());
  writeTo(stream, String(""));
  EXPECT_EQ(stream.bytes(), (std::vector<uint8_t>{0, 0}));
  stream.seek(0, SeekBegin);
  String back("previous");
  readFrom(stream, back);
  EXPECT_EQ(back.length(), 0u);
}

TEST(StringIoTest, ReadStopsAtTheNulAndLeavesTheNextByteUnread) {
  MemoryStream stream({'a', 'b', 'c', 0, 'x'});
  String s;
  readFrom(stream, s);
  EXPECT_STREQ(s.c_str(), "abc");
  EXPECT_EQ(s.length(), 3u);
  EXPECT_EQ(stream.tell(), 4);
}

TEST(StringIoTest, ReadingReplacesALargeBufferWithCapacityEight) {
  String s("a name long enough to need a big buffer");
  MemoryStream stream({'a', 0});
  readFrom(stream, s);
  EXPECT_STREQ(s.c_str(), "a");
  EXPECT_EQ(s.capacity(), 8u);
}

TEST(StringIoTest, WriteStoresCharactersAndNul) {
  MemoryStream stream;
  writeTo(stream, String("glow.tga"));
  EXPECT_EQ(stream.bytes().size(), 9u);
  EXPECT_EQ(stream.bytes()[8], 0);
}

TEST(StringIoTest, DataEndingBeforeTheNulIsReadFailed) {
  MemoryStream stream({'a', 'b'});
  String s;
  try {
    readFrom(stream, s);
    FAIL();
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::ReadFailed);
  }
}

TEST(StringIoTest, OverlongStoredStringIsRefused) {
  std::vector<uint8_t> bytes(kMaxStoredStringLength, 'n');
  bytes.push_back(0);
  MemoryStream fits(bytes);
  String s;
  readFrom(fits, s);
  EXPECT_EQ(s.length(), kMaxStoredStringLength);

  bytes.insert(bytes.begin(), 'n');
  MemoryStream tooLong(bytes);
  EXPECT_THROW(readFrom(tooLong, s), vtException);
}

#include "objfile/MemoryStream.h"

#include <gtest/gtest.h>

#include "core/vtException.h"

TEST(MemoryStreamTest, WritesThenReadsBackAfterASeek) {
  MemoryStream stream;
  const uint32_t value = 0x01020304;
  EXPECT_EQ(stream.write(&value, 4), 4);
  EXPECT_EQ(stream.bytes(), (std::vector<uint8_t>{4, 3, 2, 1}));
  stream.seek(0, SeekBegin);
  uint32_t back = 0;
  stream.read(&back, 4);
  EXPECT_EQ(back, value);
  EXPECT_EQ(stream.size(), 4);
}

TEST(MemoryStreamTest, ShortOrEmptyReadsFail) {
  MemoryStream stream({1, 2, 3});
  uint8_t buffer[4];
  EXPECT_THROW(stream.read(buffer, 4), vtException);
  EXPECT_THROW(stream.read(buffer, 0), vtException);
  EXPECT_EQ(stream.tell(), 0);
  stream.seek(5, SeekBegin);
  EXPECT_THROW(stream.read(buffer, 1), vtException);
}

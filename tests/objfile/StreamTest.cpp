#include <gtest/gtest.h>

#include <memory>

#include "core/vtException.h"
#include "objfile/StreamFactory.h"
#include "support/TempDir.h"

namespace {

// Runs a stream call and gives the code it threw, or -1 when it threw nothing.
template <class Call>
int codeOf(Call call) {
  try {
    call();
  } catch (const vtException& e) {
    return static_cast<int>(e.code);
  }
  return -1;
}

const std::vector<uint8_t> kTenBytes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

}  // namespace

TEST(StreamTest, MissingFileIsFileNotFoundForBothKinds) {
  TempDir dir;
  const String name(dir.path("missing.psf").c_str());
  EXPECT_EQ(codeOf([&] { StreamFactory::instance().openFile(name); }), 8);
  EXPECT_EQ(codeOf([&] { StreamFactory::instance().openGzFile(name); }), 8);
}

TEST(StreamTest, FileStreamReadsWholeItemsOnly) {
  TempDir dir;
  auto stream = StreamFactory::instance().openFile(dir.write("ten.bin", kTenBytes).c_str());
  uint8_t buffer[8] = {};
  EXPECT_EQ(stream->read(buffer, 4), 1);
  EXPECT_EQ(buffer[3], 3);
  EXPECT_EQ(stream->read(buffer, 3), 1);
  // Three bytes left: a 4-byte read fails on the incomplete item.
  EXPECT_EQ(codeOf([&] { stream->read(buffer, 4); }), 4);
}

TEST(StreamTest, ZeroByteReadAndWriteFailOnFileStream) {
  TempDir dir;
  auto stream = StreamFactory::instance().openFile(dir.write("ten.bin", kTenBytes).c_str());
  uint8_t buffer[1] = {};
  EXPECT_EQ(codeOf([&] { stream->read(buffer, 0); }), 4);
  EXPECT_EQ(codeOf([&] { stream->write(buffer, 0); }), 5);
  // A stream opened for reading refuses every write.
  EXPECT_EQ(codeOf([&] { stream->write(buffer, 1); }), 5);
}

TEST(StreamTest, FileStreamSeeksFromEveryOriginWithItsOwnNumbering) {
  TempDir dir;
  auto stream = StreamFactory::instance().openFile(dir.write("ten.bin", kTenBytes).c_str());
  uint8_t byte = 0;
  EXPECT_EQ(stream->seek(-2, SeekEnd), 0);
  EXPECT_EQ(stream->tell(), 8);
  stream->read(&byte, 1);
  EXPECT_EQ(byte, 8);
  EXPECT_EQ(stream->seek(-5, SeekCurrent), 0);
  EXPECT_EQ(stream->tell(), 4);
  EXPECT_EQ(stream->seek(1, SeekBegin), 0);
  stream->read(&byte, 1);
  EXPECT_EQ(byte, 1);
  EXPECT_EQ(codeOf([&] { stream->seek(0, static_cast<SeekOrigin>(3)); }), 7);
  EXPECT_EQ(codeOf([&] { stream->seek(-20, SeekBegin); }), 7);
}

TEST(StreamTest, FileStreamSizeKeepsThePosition) {
  TempDir dir;
  auto stream = StreamFactory::instance().openFile(dir.write("ten.bin", kTenBytes).c_str());
  stream->seek(3, SeekBegin);
  EXPECT_EQ(stream->size(), 10);
  EXPECT_EQ(stream->tell(), 3);
}

TEST(StreamTest, GzStreamShortReadSucceedsAndTheNextFails) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("ten.gz", kTenBytes).c_str());
  uint8_t buffer[8] = {};
  EXPECT_EQ(stream->read(buffer, 7), 7);
  EXPECT_EQ(stream->read(buffer, 4), 3);
  EXPECT_EQ(buffer[2], 9);
  EXPECT_EQ(codeOf([&] { stream->read(buffer, 4); }), 4);
}

TEST(StreamTest, GzStreamZeroByteReadFails) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("ten.gz", kTenBytes).c_str());
  uint8_t buffer[1] = {};
  EXPECT_EQ(codeOf([&] { stream->read(buffer, 0); }), 4);
}

TEST(StreamTest, GzStreamReadsPlainFilesAsTheyStand) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.write("plain.bin", kTenBytes).c_str());
  uint8_t buffer[10] = {};
  EXPECT_EQ(stream->read(buffer, 10), 10);
  EXPECT_EQ(buffer[9], 9);
}

TEST(StreamTest, GzStreamCannotSeekFromTheEndSoSizeFails) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("ten.gz", kTenBytes).c_str());
  EXPECT_EQ(codeOf([&] { stream->seek(0, SeekEnd); }), 7);
  EXPECT_EQ(codeOf([&] { stream->seek(0, static_cast<SeekOrigin>(5)); }), 7);
  EXPECT_EQ(codeOf([&] { stream->size(); }), 7);
}

TEST(StreamTest, GzStreamSeeksForwardAndTellsUncompressedPositions) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("ten.gz", kTenBytes).c_str());
  EXPECT_EQ(stream->seek(4, SeekBegin), 4);
  EXPECT_EQ(stream->seek(2, SeekCurrent), 6);
  EXPECT_EQ(stream->tell(), 6);
  uint8_t byte = 0;
  stream->read(&byte, 1);
  EXPECT_EQ(byte, 6);
}

TEST(StreamTest, GzStreamWriteOnAReadHandleIsWriteFailed) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("ten.gz", kTenBytes).c_str());
  const uint8_t byte = 1;
  // zlib refuses a write on a read handle with 0, the one result the stream counts as failure.
  EXPECT_EQ(codeOf([&] { stream->write(&byte, 1); }), 5);
}

TEST(StreamTest, ReadExactlyRefusesAShortGzipRead) {
  TempDir dir;
  auto stream = StreamFactory::instance().openGzFile(dir.writeGz("ten.gz", kTenBytes).c_str());
  uint8_t buffer[8] = {};
  stream->readExactly(buffer, 8);
  EXPECT_EQ(codeOf([&] { stream->readExactly(buffer, 4); }), 4);
}

#include "objfile/GzStream.h"

#include "core/vtException.h"

GzStream::~GzStream() { gzclose(file_); }

int GzStream::read(void* buffer, int count) {
  const int got = count < 0 ? -1 : gzread(file_, buffer, static_cast<unsigned>(count));
  if (got <= 0) {
    throw vtException(ErrorCode::ReadFailed);
  }
  return got;
}

void GzStream::readExactly(void* buffer, int count) {
  if (read(buffer, count) != count) {
    throw vtException(ErrorCode::ReadFailed);
  }
}

int GzStream::write(const void* buffer, int count) {
  const int written = count < 0 ? 0 : gzwrite(file_, buffer, static_cast<unsigned>(count));
  if (written == 0) {
    throw vtException(ErrorCode::WriteFailed);
  }
  return written;
}

int GzStream::seek(int32_t offset, SeekOrigin origin) {
  // zlib cannot seek from the end of a gzip file.
  if (origin == SeekEnd) {
    throw vtException(ErrorCode::SeekFailed);
  }
  const z_off_t position = gzseek(file_, offset, whenceOf(origin));
  if (position == -1) {
    throw vtException(ErrorCode::SeekFailed);
  }
  return static_cast<int>(position);
}

int GzStream::tell() {
  const z_off_t position = gztell(file_);
  if (position < 0) {
    throw vtException(ErrorCode::TellFailed);
  }
  return static_cast<int>(position);
}

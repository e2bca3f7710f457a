#include "objfile/FileStream.h"

#include "core/vtException.h"

FileStream::~FileStream() { std::fclose(file_); }

// One item of count bytes: fread reports 0 items for a zero-size item, so a 0-byte read fails.
int FileStream::read(void* buffer, int count) {
  if (count < 0 || std::fread(buffer, static_cast<size_t>(count), 1, file_) != 1) {
    throw vtException(ErrorCode::ReadFailed);
  }
  return 1;
}

int FileStream::write(const void* buffer, int count) {
  if (count < 0 || std::fwrite(buffer, static_cast<size_t>(count), 1, file_) != 1) {
    throw vtException(ErrorCode::WriteFailed);
  }
  return 1;
}

int FileStream::seek(int32_t offset, SeekOrigin origin) {
  if (std::fseek(file_, offset, whenceOf(origin)) != 0) {
    throw vtException(ErrorCode::SeekFailed);
  }
  return 0;
}

int FileStream::tell() {
  const long position = std::ftell(file_);
  if (position < 0) {
    throw vtException(ErrorCode::TellFailed);
  }
  return static_cast<int>(position);
}

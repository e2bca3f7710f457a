#include "images/ImageFile.h"

#include <sys/stat.h>

#include <cstdint>
#include <new>

ImageFile::ImageFile(const String& name) {
  const char* path = name.c_str() != nullptr ? name.c_str() : "";
  // The name comes from the scene file. Only a regular file is an image: opening a FIFO would
  // wait for a writer for ever, and a device (a terminal, /dev/zero) is no picture either.
  struct stat named {};
  if (stat(path, &named) != 0 || !S_ISREG(named.st_mode)) {
    throw vtException(ErrorCode::FileNotFound);
  }
  file_ = std::fopen(path, "rb");
  if (file_ == nullptr) {
    throw vtException(ErrorCode::FileNotFound);
  }
  // A size the runtime cannot report counts as empty: every read then fails with the format's
  // own code instead of trusting a count from the file.
  struct stat status {};
  if (fstat(fileno(file_), &status) == 0 && status.st_size > 0) {
    size_ = static_cast<uint64_t>(status.st_size);
  }
}

ImageFile::~ImageFile() { std::fclose(file_); }

void ImageFile::read(void* buffer, size_t count, ErrorCode error) {
  if (count == 0) {
    return;
  }
  if (count > remaining() || std::fread(buffer, 1, count, file_) != count) {
    throw vtException(error);
  }
  position_ += count;
}

std::vector<uint8_t> ImageFile::read(uint64_t count, ErrorCode error) {
  if (count > remaining()) {
    throw vtException(error);
  }
  std::vector<uint8_t> bytes = newBuffer(count, error);
  read(bytes.data(), bytes.size(), error);
  return bytes;
}

std::vector<uint8_t> newBuffer(uint64_t count, ErrorCode error) {
  if (count > SIZE_MAX) {
    throw vtException(error);
  }
  try {
    return std::vector<uint8_t>(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    throw vtException(error);
  }
}

#pragma once
// An image file held open for the length of one load, and byte helpers for the image readers.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/String.h"
#include "core/vtException.h"

class ImageFile {
 public:
  // Opens the file for binary reading, relative to the current directory; "File Not Found" when
  // it cannot be opened or is not a regular file (a folder, a device, a FIFO). The destructor
  // closes it, so every way out of a load closes it once.
  explicit ImageFile(const String& name);
  ~ImageFile();
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  // Bytes between the read position and the end of the file.
  uint64_t remaining() const { return size_ - position_; }
  // Reads exactly count bytes into buffer, or throws error.
  void read(void* buffer, size_t count, ErrorCode error);
  // Reads exactly count bytes into a new buffer, or throws error. A count beyond what the file
  // has left is refused before anything is allocated: a size read from a file never asks for
  // more memory than the file holds.
  std::vector<uint8_t> read(uint64_t count, ErrorCode error);

 private:
  std::FILE* file_;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
};

// A zero-filled buffer of count bytes; throws error when the memory cannot be had.
std::vector<uint8_t> newBuffer(uint64_t count, ErrorCode error);

// Unsigned little-endian fields of the image file headers.
inline uint16_t littleEndian16(const uint8_t* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline uint32_t littleEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

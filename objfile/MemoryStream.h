#pragma once
// A stream over bytes in memory, for tools that write scene files and for loading scenes from
// bytes. Reads and writes behave like the plain file stream's: all or nothing, never 0 bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "objfile/Stream.h"

class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  int read(void* buffer, int count) override;
  // Overwrites at the current position and grows the buffer as needed.
  int write(const void* buffer, int count) override;
  int seek(int32_t offset, SeekOrigin origin) override;
  int tell() override;

  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  std::size_t position_ = 0;
};

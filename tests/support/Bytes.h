#pragma once
// Builds fixture files byte by byte, in the little-endian layout of scene files.

#include <cstdint>
#include <string>
#include <vector>

#include "core/Vec3.h"

class Bytes {
 public:
  Bytes& tag(const char (&name)[5]);
  Bytes& i32(int32_t value);
  Bytes& u32(uint32_t value);
  Bytes& u16(uint16_t value);
  Bytes& u8(uint8_t value);
  Bytes& f32(float value);
  Bytes& vec(const Vec3& value);
  // The characters and a NUL.
  Bytes& str(const std::string& text);
  Bytes& raw(const std::vector<uint8_t>& bytes);

  const std::vector<uint8_t>& data() const { return data_; }
  size_t size() const { return data_.size(); }

 private:
  std::vector<uint8_t> data_;
};

// count bytes of a repeating pattern, for pictures whose pixel values do not matter.
std::vector<uint8_t> patternBytes(size_t count);
// Writes the bytes as the file, replacing it; throws std::runtime_error when it cannot.
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

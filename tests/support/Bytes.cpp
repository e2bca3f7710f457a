#include "support/Bytes.h"

#include <cstdio>
#include <stdexcept>

#include "core/FloatBits.h"
#include "objfile/Tag.h"

Bytes& Bytes::tag(const char (&name)[5]) { return u32(makeTag(name)); }

Bytes& Bytes::i32(int32_t value) { return u32(static_cast<uint32_t>(value)); }

Bytes& Bytes::u32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    data_.push_back(static_cast<uint8_t>(value >> shift));
  }
  return *this;
}

Bytes& Bytes::u16(uint16_t value) {
  data_.push_back(static_cast<uint8_t>(value));
  data_.push_back(static_cast<uint8_t>(value >> 8));
  return *this;
}

Bytes& Bytes::u8(uint8_t value) {
  data_.push_back(value);
  return *this;
}

Bytes& Bytes::f32(float value) { return u32(bitsOf(value)); }

Bytes& Bytes::vec(const Vec3& value) { return f32(value.x).f32(value.y).f32(value.z); }

Bytes& Bytes::str(const std::string& text) {
  data_.insert(data_.end(), text.begin(), text.end());
  data_.push_back(0);
  return *this;
}

Bytes& Bytes::raw(const std::vector<uint8_t>& bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}

std::vector<uint8_t> patternBytes(size_t count) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) {
    bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  }
  return bytes;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr) {
    std::fclose(file);
  }
  if (!written) {
    throw std::runtime_error("cannot write " + path);
  }
}

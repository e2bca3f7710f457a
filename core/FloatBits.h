#pragma once
// A float's IEEE 754 single-precision bit pattern and back, bit for bit, NaN payloads included.

#include <cstdint>
#include <cstring>

static_assert(sizeof(float) == sizeof(uint32_t), "a float is stored as 4 bytes");

inline uint32_t bitsOf(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

inline float floatOf(uint32_t bits) {
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

#pragma once
// The particle sprites the scenes name, as code: each file's name and how it is made.

#include <cstdint>
#include <string>
#include <vector>

struct Sprite {
  const char* fileName;
  int size;
  // True for a 24-bit bitmap, false for a 32-bit Targa.
  bool bitmap;
  std::vector<uint8_t> (*make)();
};

// The sprites the shipped scenes name, at least one of them a bitmap.
const std::vector<Sprite>& sprites();

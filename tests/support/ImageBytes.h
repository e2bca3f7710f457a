#pragma once
// Image files built byte by byte: Windows bitmaps and uncompressed true-colour Targa files.

#include <cstdint>
#include <vector>

// A Windows bitmap: 14-byte file header, 40-byte information header, palette, pixel data. The
// pixel data offset and the file size are derived from the parts.
struct BmpFile {
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  std::vector<uint8_t> palette;
  std::vector<uint8_t> pixels;

  std::vector<uint8_t> bytes() const;
};

// An uncompressed true-colour Targa file: the 18-byte header, then the pixels as given.
std::vector<uint8_t> tgaFile(uint16_t width, uint16_t height, uint8_t bitsPerPixel,
                             const std::vector<uint8_t>& pixels);

// A 2 x 2 24-bit bitmap and a 2 x 2 32-bit Targa file, for scenes whose picture only has to load.
std::vector<uint8_t> twoByTwoBitmap();
std::vector<uint8_t> twoByTwoTarga();

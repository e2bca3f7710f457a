#include "support/ImageBytes.h"

#include "support/Bytes.h"

std::vector<uint8_t> BmpFile::bytes() const {
  const uint32_t infoHeaderSize = 40;
  const auto dataOffset = static_cast<uint32_t>(14 + infoHeaderSize + palette.size());
  return Bytes()
      .u8('B')
      .u8('M')
      .u32(static_cast<uint32_t>(dataOffset + pixels.size()))
      .u16(0)
      .u16(0)
      .u32(dataOffset)
      .u32(infoHeaderSize)
      .i32(width)
      .i32(height)
      .u16(1)
      .u16(bitCount)
      .u32(compression)
      .u32(imageSize)
      .i32(2835)
      .i32(2835)
      .u32(static_cast<uint32_t>(palette.size() / 4))
      .u32(0)
      .raw(palette)
      .raw(pixels)
      .data();
}

std::vector<uint8_t> tgaFile(uint16_t width, uint16_t height, uint8_t bitsPerPixel,
                             const std::vector<uint8_t>& pixels) {
  Bytes bytes;
  bytes.u8(0).u8(0).u8(2);
  for (int i = 0; i < 9; ++i) {
    bytes.u8(0);
  }
  // Descriptor: the alpha bits of a 32-bit file, origin bottom left.
  return bytes.u16(width).u16(height).u8(bitsPerPixel).u8(bitsPerPixel == 32 ? 8 : 0).raw(pixels).data();
}

std::vector<uint8_t> twoByTwoBitmap() {
  BmpFile file;
  file.width = 2;
  file.height = 2;
  file.pixels = {10, 20, 30, 40, 50, 60, 0, 0, 70, 80, 90, 100, 110, 120, 0, 0};
  return file.bytes();
}

std::vector<uint8_t> twoByTwoTarga() { return tgaFile(2, 2, 32, std::vector<uint8_t>(16, 0x80)); }

#include "images/TgaImage.h"

#include <array>
#include <cstring>

#include "core/OpenGl.h"
#include "images/ImageFile.h"

namespace {

// Identification length 0, no colour map, image type 2 (uncompressed true colour), an all-zero
// colour-map description, and origin 0, 0.
constexpr uint8_t kUncompressedTrueColour[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

Tag TgaImage::tag() const { return kTag; }

// The image descriptor (byte 17) is not examined: rows are used in file order, bottom row first
// as Targa files normally store them, which is also OpenGL's order.
void TgaImage::decode(ImageFile& file) {
  std::array<uint8_t, kHeaderSize> header;
  file.read(header.data(), header.size(), ErrorCode::IllegalTga);
  if (std::memcmp(header.data(), kUncompressedTrueColour, sizeof kUncompressedTrueColour) != 0) {
    throw vtException(ErrorCode::IllegalTga);
  }
  const int32_t width = littleEndian16(&header[12]);
  const int32_t height = littleEndian16(&header[14]);
  const int32_t bitsPerPixel = header[16];
  if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) {
    throw vtException(ErrorCode::IllegalTga);
  }
  if (bitsPerPixel != 24 && bitsPerPixel != 32) {
    throw vtException(ErrorCode::IllegalTga);
  }
  // Only the pixels are read, never the whole file: a file shorter than its pixels is refused
  // here, and trailing data (a Targa 2.0 footer) costs nothing.
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  const size_t stored = static_cast<size_t>(bitsPerPixel / 8);
  const std::vector<uint8_t> bgr = file.read(count * stored, ErrorCode::IllegalTga);
  std::vector<uint8_t> rgba = newBuffer(count * 4, ErrorCode::IllegalTga);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* source = &bgr[i * stored];
    uint8_t* target = &rgba[i * 4];
    target[0] = source[2];
    target[1] = source[1];
    target[2] = source[0];
    target[3] = stored == 4 ? source[3] : 255;
  }

  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  rgba_ = std::move(rgba);
}

uint32_t TgaImage::createTexture() {
  if (!textureCanBeMade()) {
    return 0;
  }
  const uint32_t name = beginTexture(true);
  buildMipmaps(4, width_, height_, rgba_);
  return name;
}

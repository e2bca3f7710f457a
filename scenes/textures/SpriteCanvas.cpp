#include "scenes/textures/SpriteCanvas.h"

#include <cstddef>

namespace {

// 4 x 4 samples per pixel smooth the edges of the thin shapes (spark rays, snowflake arms).
constexpr int kSamplesPerSide = 4;
// Nothing is painted at or beyond the inscribed circle: the texture turns about its centre every
// frame and Targa textures clamp to their edge texels, which must stay transparent.
constexpr double kEdgeRadius = 0.5;

uint8_t toByte(double value) {
  const double scaled = value * 255.0 + 0.5;
  return scaled <= 0.0 ? 0 : scaled >= 255.0 ? 255 : static_cast<uint8_t>(scaled);
}

void putLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
}

}  // namespace

SpriteCanvas::SpriteCanvas(int size, Shader shader) : size_(size), pixels_(static_cast<std::size_t>(size) * size) {
  const double step = 1.0 / (size * kSamplesPerSide);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      SpriteSample sum;
      for (int sy = 0; sy < kSamplesPerSide; ++sy) {
        for (int sx = 0; sx < kSamplesPerSide; ++sx) {
          const double x = (column * kSamplesPerSide + sx + 0.5) * step - 0.5;
          const double y = (row * kSamplesPerSide + sy + 0.5) * step - 0.5;
          if (x * x + y * y >= kEdgeRadius * kEdgeRadius) {
            continue;
          }
          const SpriteSample sample = shader(x, y);
          sum.r += sample.r * sample.a;
          sum.g += sample.g * sample.a;
          sum.b += sample.b * sample.a;
          sum.a += sample.a;
        }
      }
      SpriteSample& pixel = pixels_[static_cast<std::size_t>(row) * size + column];
      if (sum.a > 0.0) {
        pixel = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / (kSamplesPerSide * kSamplesPerSide)};
      }
    }
  }
}

std::vector<uint8_t> SpriteCanvas::targa() const {
  std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  putLittleEndian(out, static_cast<uint32_t>(size_), 2);
  putLittleEndian(out, static_cast<uint32_t>(size_), 2);
  out.push_back(32);
  // Eight alpha bits, origin at the bottom left.
  out.push_back(8);
  for (const SpriteSample& pixel : pixels_) {
    const bool covered = toByte(pixel.a) > 0;
    out.push_back(covered ? toByte(pixel.b) : 0);
    out.push_back(covered ? toByte(pixel.g) : 0);
    out.push_back(covered ? toByte(pixel.r) : 0);
    out.push_back(toByte(pixel.a));
  }
  return out;
}

std::vector<uint8_t> SpriteCanvas::bitmap() const {
  const uint32_t rowSize = (static_cast<uint32_t>(size_) * 3 + 3) & ~3u;
  const uint32_t pixelBytes = rowSize * static_cast<uint32_t>(size_);
  const uint32_t headerBytes = 14 + 40;
  std::vector<uint8_t> out = {'B', 'M'};
  putLittleEndian(out, headerBytes + pixelBytes, 4);
  putLittleEndian(out, 0, 4);
  putLittleEndian(out, headerBytes, 4);
  putLittleEndian(out, 40, 4);
  putLittleEndian(out, static_cast<uint32_t>(size_), 4);
  putLittleEndian(out, static_cast<uint32_t>(size_), 4);
  putLittleEndian(out, 1, 2);
  putLittleEndian(out, 24, 2);
  putLittleEndian(out, 0, 4);
  putLittleEndian(out, pixelBytes, 4);
  // 2835 pixels per metre is 72 dots per inch.
  putLittleEndian(out, 2835, 4);
  putLittleEndian(out, 2835, 4);
  putLittleEndian(out, 0, 4);
  putLittleEndian(out, 0, 4);
  for (int row = 0; row < size_; ++row) {
    for (int column = 0; column < size_; ++column) {
      const SpriteSample& pixel = pixels_[static_cast<std::size_t>(row) * size_ + column];
      out.push_back(toByte(pixel.b * pixel.a));
      out.push_back(toByte(pixel.g * pixel.a));
      out.push_back(toByte(pixel.r * pixel.a));
    }
    out.resize(out.size() + (rowSize - static_cast<uint32_t>(size_) * 3), 0);
  }
  return out;
}

#pragma once
// A square particle sprite painted from a shading function and encoded as a Targa or bitmap file.
// Only + - * / and sqrt are used, all correctly rounded in IEEE arithmetic, so every machine paints
// the same bytes.

#include <cstdint>
#include <vector>

// Linear 0..1 colour and coverage of one sample.
struct SpriteSample {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
  double a = 0.0;
};

class SpriteCanvas {
 public:
  // x and y run from -0.5 to 0.5 across the sprite, from its centre, y up.
  using Shader = SpriteSample (*)(double x, double y);

  // size: pixels per side, a power of two.
  SpriteCanvas(int size, Shader shader);

  int size() const { return size_; }
  // 32-bit uncompressed Targa (image type 2), bottom row first, blue-green-red-alpha.
  std::vector<uint8_t> targa() const;
  // 24-bit uncompressed bitmap, bottom row first, rows padded to 4 bytes: the colour times the
  // coverage, since a bitmap has no alpha and draws with the particle colour's alpha alone.
  std::vector<uint8_t> bitmap() const;

 private:
  int size_;
  // Bottom row first; the colour is the coverage-weighted mean of the samples, black where
  // nothing covers the pixel.
  std::vector<SpriteSample> pixels_;
};

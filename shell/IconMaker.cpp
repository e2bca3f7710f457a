// Build-time generator of the screensaver's icon: a glowing particle burst on a transparent
// background, written as a Windows .ico with 16, 32 and 48 pixel images (32-bit colour with alpha,
// plus the 1-bit mask older Windows versions draw with). Runs on the build machine.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Pixel {
  double r = 0, g = 0, b = 0;
};

void addGlow(Pixel& p, double distanceSquared, double sigma, double r, double g, double b) {
  const double weight = std::exp(-distanceSquared / (2.0 * sigma * sigma));
  p.r += weight * r;
  p.g += weight * g;
  p.b += weight * b;
}

// Colour of one point of the icon, u and v in -1..1 from the centre.
Pixel shade(double u, double v) {
  Pixel p;
  // A hot core.
  addGlow(p, u * u + v * v, 0.22, 1.0, 0.85, 0.45);
  addGlow(p, u * u + v * v, 0.08, 1.0, 1.0, 1.0);
  // Sparks flung out on a spiral, cooling from gold to violet as they go.
  const int kSparks = 11;
  const double kGoldenAngle = 2.39996322972865332;
  for (int i = 0; i < kSparks; ++i) {
    const double t = static_cast<double>(i + 1) / kSparks;
    const double angle = i * kGoldenAngle;
    const double radius = 0.28 + 0.58 * t;
    const double du = u - radius * std::cos(angle);
    const double dv = v - radius * std::sin(angle);
    addGlow(p, du * du + dv * dv, 0.075 - 0.03 * t, 1.0 - 0.5 * t, 0.75 - 0.55 * t, 0.3 + 0.7 * t);
  }
  return p;
}

uint8_t toByte(double x) { return static_cast<uint8_t>(std::lround(std::clamp(x, 0.0, 1.0) * 255.0)); }

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFFu);
  put16(out, v >> 16);
}

// One icon image: the bitmap header (height doubled for colour and mask), the colour rows and the
// mask rows, both bottom row first.
std::vector<uint8_t> makeImage(int size) {
  const int maskStride = ((size + 31) / 32) * 4;
  std::vector<uint8_t> out;
  put32(out, 40);
  put32(out, static_cast<uint32_t>(size));
  put32(out, static_cast<uint32_t>(size * 2));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, static_cast<uint32_t>(size * size * 4 + maskStride * size));
  for (int i = 0; i < 4; ++i) {
    put32(out, 0);
  }
  std::vector<uint8_t> mask(static_cast<size_t>(maskStride * size), 0);
  const int kSamples = 4;  // per axis, so small sizes stay smooth
  for (int row = 0; row < size; ++row) {
    const int y = size - 1 - row;
    for (int x = 0; x < size; ++x) {
      Pixel sum;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = ((x + (sx + 0.5) / kSamples) / size) * 2.0 - 1.0;
          const double v = ((y + (sy + 0.5) / kSamples) / size) * 2.0 - 1.0;
          const Pixel p = shade(u, v);
          sum.r += p.r;
          sum.g += p.g;
          sum.b += p.b;
        }
      }
      const double n = kSamples * kSamples;
      const double r = sum.r / n, g = sum.g / n, b = sum.b / n;
      const double alpha = std::clamp(std::max({r, g, b}) * 1.2, 0.0, 1.0);
      // Colour premultiplied by nothing: the glow colour at full strength where it is visible.
      const double scale = alpha > 0.0 ? 1.0 / std::max({r, g, b, 1e-9}) : 0.0;
      out.push_back(toByte(b * scale));
      out.push_back(toByte(g * scale));
      out.push_back(toByte(r * scale));
      out.push_back(toByte(alpha));
      if (alpha < 0.5) {
        mask[static_cast<size_t>(row * maskStride + x / 8)] |= static_cast<uint8_t>(0x80u >> (x % 8));
      }
    }
  }
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  // An option here is a request for help, never a file to write.
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: IconMaker OUT.ico\n");
    return 1;
  }
  const int kSizes[] = {16, 32, 48};
  std::vector<std::vector<uint8_t>> images;
  for (int size : kSizes) {
    images.push_back(makeImage(size));
  }
  std::vector<uint8_t> out;
  put16(out, 0);
  put16(out, 1);
  put16(out, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<uint8_t>(kSizes[i]));
    out.push_back(static_cast<uint8_t>(kSizes[i]));
    out.push_back(0);
    out.push_back(0);
    put16(out, 1);
    put16(out, 32);
    put32(out, static_cast<uint32_t>(images[i].size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::vector<uint8_t>& image : images) {
    out.insert(out.end(), image.begin(), image.end());
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
    std::fprintf(stderr, "IconMaker: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}

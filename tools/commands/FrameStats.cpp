#include "tools/commands/FrameStats.h"

#include <algorithm>
#include <cstdio>

FrameStats FrameStats::of(const std::vector<uint8_t>& pixels) {
  FrameStats stats;
  const size_t count = pixels.size() / 4;
  if (count == 0) {
    return stats;
  }
  // A byte sum compared with a threshold in the same units keeps the test exact: a grey of
  // exactly 6% would otherwise fall either side by rounding.
  const double litSum = kLitGrey * 3.0 * 255.0;
  double greySum = 0.0;
  double saturationSum = 0.0;
  size_t lit = 0;
  for (size_t i = 0; i < count; ++i) {
    const int r = pixels[4 * i];
    const int g = pixels[4 * i + 1];
    const int b = pixels[4 * i + 2];
    const int sum = r + g + b;
    greySum += sum;
    if (sum > litSum) {
      ++lit;
      const int high = std::max({r, g, b});
      const int low = std::min({r, g, b});
      saturationSum += static_cast<double>(high - low) / high;
    }
  }
  stats.litShare = static_cast<double>(lit) / static_cast<double>(count);
  stats.meanGrey = greySum / (3.0 * 255.0 * static_cast<double>(count));
  stats.meanSaturation = lit > 0 ? saturationSum / static_cast<double>(lit) : 0.0;
  return stats;
}

std::string FrameStats::text() const {
  char line[96];
  std::snprintf(line, sizeof line, "lit %.1f%%, mean grey %.3f, mean saturation %.2f", litShare * 100.0, meanGrey,
                meanSaturation);
  return line;
}

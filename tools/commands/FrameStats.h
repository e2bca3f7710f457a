#pragma once
// How much of the screen a drawn frame uses, and how brightly and colourfully: the figures by
// which scenes are compared with each other and with other screensavers.

#include <cstdint>
#include <string>
#include <vector>

struct FrameStats {
  // A pixel is lit when its grey, the mean of its red, green and blue (0 to 1), is above this.
  static constexpr double kLitGrey = 0.06;

  double litShare = 0.0;        // lit pixels over all pixels, 0 to 1
  double meanGrey = 0.0;        // grey averaged over all pixels, 0 to 1
  double meanSaturation = 0.0;  // HSV saturation, (max - min) / max, averaged over the lit pixels; 0 when none is lit

  // pixels: RGBA bytes, four per pixel (alpha ignored), in any row order.
  static FrameStats of(const std::vector<uint8_t>& pixels);

  // One line: "lit 24.1%, mean grey 0.052, mean saturation 0.41".
  std::string text() const;
};

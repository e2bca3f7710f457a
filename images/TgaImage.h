#pragma once
// An uncompressed true-colour Targa file (tag ITGA), 24 or 32 bits per pixel, turned into
// red-green-blue-alpha pixels when it is loaded.

#include <cstdint>
#include <vector>

#include "images/Image.h"

class TgaImage : public Image {
 public:
  static constexpr Tag kTag = makeTag("ITGA");

  // Bytes of the Targa file header; the pixels follow it at once.
  static constexpr int32_t kHeaderSize = 18;

  Tag tag() const override;
  uint32_t createTexture() override;
  // From the file header; 0 until a load succeeds.
  int32_t height() const override { return height_; }
  int32_t width() const override { return width_; }

  int32_t bitsPerPixel() const { return bitsPerPixel_; }
  // width * height pixels of 4 bytes, red, green, blue, alpha, bottom row first.
  const std::vector<uint8_t>& rgba() const { return rgba_; }

 protected:
  void decode(ImageFile& file) override;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t bitsPerPixel_ = 0;
  std::vector<uint8_t> rgba_;
};

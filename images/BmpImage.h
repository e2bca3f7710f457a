#pragma once
// A Windows bitmap file (tag IBMP). Any bit count and compression loads; only uncompressed
// 24-bit pictures become a coloured texture, every other one a black texture of its size.

#include <array>
#include <cstdint>
#include <vector>

#include "images/Image.h"

class BmpImage : public Image {
 public:
  static constexpr Tag kTag = makeTag("IBMP");

  // Bytes of the file header: type "BM", file size, two reserved words, pixel data offset.
  static constexpr int32_t kFileHeaderSize = 14;
  // Bytes of the information header this reader looks at: up to and including the image size.
  static constexpr int32_t kInfoFieldsSize = 24;

  Tag tag() const override;
  uint32_t createTexture() override;
  // The information header's values once loaded, else 0. A negative height is a top-down bitmap.
  int32_t height() const override;
  int32_t width() const override;

  // Bits per pixel and the compression method of the information header (0 is uncompressed).
  int32_t bitCount() const;
  uint32_t compression() const;
  // The pixel data as stored in the file, and its size in bytes.
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  int32_t pixelSize() const { return pixelSize_; }
  // Bytes between the file header and the pixel data: the information header and colour table.
  int32_t infoSize() const { return infoSize_; }

 protected:
  void decode(ImageFile& file) override;

 private:
  std::vector<uint8_t> rgbCopy() const;

  std::array<uint8_t, kFileHeaderSize> fileHeader_{};
  std::vector<uint8_t> infoBlock_;
  std::vector<uint8_t> pixels_;
  int32_t infoSize_ = 0;
  int32_t pixelSize_ = 0;
};

#include "images/BmpImage.h"

#include <cstdlib>

#include "core/OpenGl.h"
#include "images/ImageFile.h"

namespace {

constexpr uint16_t kBitmapType = 0x4D42;  // the bytes "BM"
constexpr uint32_t kUncompressed = 0;

// Offsets in the information header.
constexpr size_t kWidthAt = 4;
constexpr size_t kHeightAt = 8;
constexpr size_t kBitCountAt = 14;
constexpr size_t kCompressionAt = 16;
constexpr size_t kImageSizeAt = 20;

int32_t signed32(const uint8_t* bytes) { return static_cast<int32_t>(littleEndian32(bytes)); }

// 3 * width rounded up to a multiple of 4: the row size of a 24-bit bitmap and of the RGB copy.
size_t rgbStride(int32_t width) { return (3 * static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3); }

}  // namespace

Tag BmpImage::tag() const { return kTag; }

int32_t BmpImage::width() const { return loadState() == ImageLoaded ? signed32(&infoBlock_[kWidthAt]) : 0; }

int32_t BmpImage::height() const { return loadState() == ImageLoaded ? signed32(&infoBlock_[kHeightAt]) : 0; }

int32_t BmpImage::bitCount() const {
  return loadState() == ImageLoaded ? littleEndian16(&infoBlock_[kBitCountAt]) : 0;
}

uint32_t BmpImage::compression() const {
  return loadState() == ImageLoaded ? littleEndian32(&infoBlock_[kCompressionAt]) : 0;
}

void BmpImage::decode(ImageFile& file) {
  std::array<uint8_t, kFileHeaderSize> header;
  file.read(header.data(), header.size(), ErrorCode::IllegalBmp);
  if (littleEndian16(&header[0]) != kBitmapType) {
    throw vtException(ErrorCode::IllegalBmp);
  }
  // The information block must at least hold the fields read below.
  const uint32_t dataOffset = littleEndian32(&header[10]);
  if (dataOffset < kFileHeaderSize + kInfoFieldsSize) {
    throw vtException(ErrorCode::IllegalBmp);
  }
  std::vector<uint8_t> info = file.read(dataOffset - kFileHeaderSize, ErrorCode::IllegalBmp);

  // Bounding the sides first keeps the products below clear of overflow: a negative or huge
  // dimension must not wrap into a small row count.
  const int32_t width = signed32(&info[kWidthAt]);
  const int32_t height = signed32(&info[kHeightAt]);
  if (width < 0 || width > kMaxImageSide || height < -kMaxImageSide || height > kMaxImageSide) {
    throw vtException(ErrorCode::IllegalBmp);
  }
  const uint64_t bitCount = littleEndian16(&info[kBitCountAt]);
  const uint64_t rowSize = (bitCount * static_cast<uint64_t>(width) + 31) / 32 * 4;
  const uint64_t rowsSize = rowSize * static_cast<uint64_t>(std::abs(height));
  const uint32_t imageSize = littleEndian32(&info[kImageSizeAt]);
  const uint64_t pixelSize = imageSize != 0 ? imageSize : rowsSize;
  // Uncompressed rows are what the texture copy walks, so they must all be there. Compressed data
  // is never converted and is taken at its stated size.
  if (littleEndian32(&info[kCompressionAt]) == kUncompressed && pixelSize < rowsSize) {
    throw vtException(ErrorCode::IllegalBmp);
  }
  // The stored size is a 32-bit int.
  if (pixelSize > INT32_MAX) {
    throw vtException(ErrorCode::IllegalBmp);
  }
  std::vector<uint8_t> pixels = file.read(pixelSize, ErrorCode::IllegalBmp);

  fileHeader_ = header;
  infoSize_ = static_cast<int32_t>(info.size());
  infoBlock_ = std::move(info);
  pixelSize_ = static_cast<int32_t>(pixelSize);
  pixels_ = std::move(pixels);
}

// Bottom row first, as stored; blue-green-red becomes red-green-blue and the padding stays zero.
// Only uncompressed 24-bit pictures are converted: any other gives black. A top-down bitmap
// (negative height) converts no rows either.
std::vector<uint8_t> BmpImage::rgbCopy() const {
  const int32_t columns = width();
  const int32_t rows = height();
  const size_t stride = rgbStride(columns);
  const size_t size = stride * static_cast<size_t>(std::abs(rows));
  std::vector<uint8_t> rgb = newBuffer(size, ErrorCode::NotEnoughMemory);
  if (compression() != kUncompressed || bitCount() != 24) {
    return rgb;
  }
  // The loader refused uncompressed pixel data shorter than its rows, so no row reads past it.
  for (int32_t row = 0; row < rows; ++row) {
    const uint8_t* source = pixels_.data() + static_cast<size_t>(row) * stride;
    uint8_t* target = rgb.data() + static_cast<size_t>(row) * stride;
    for (int32_t x = 0; x < columns; ++x) {
      target[3 * x] = source[3 * x + 2];
      target[3 * x + 1] = source[3 * x + 1];
      target[3 * x + 2] = source[3 * x];
    }
  }
  return rgb;
}

uint32_t BmpImage::createTexture() {
  if (!textureCanBeMade()) {
    return 0;
  }
  const std::vector<uint8_t> rgb = rgbCopy();
  const uint32_t name = beginTexture(false);
  // A top-down bitmap is uploaded with its row count, black, rather than handing GLU a negative
  // height.
  buildMipmaps(3, width(), std::abs(height()), rgb);
  return name;
}

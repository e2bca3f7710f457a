#include "tools/commands/PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "tools/commands/FileError.h"

void writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) {
    throw FileError(path, vtException(ErrorCode::WriteFailed), std::strerror(errno));
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error(path + ": out of memory for the PNG writer");
  }
  // libpng reports its errors by longjmp; nothing with a destructor is created below this point.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw FileError(path, vtException(ErrorCode::WriteFailed));
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  // The screen has no alpha: the fourth byte of every pixel is dropped.
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  const size_t stride = static_cast<size_t>(width) * 4;
  for (int row = height - 1; row >= 0; --row) {
    png_write_row(png, pixels.data() + static_cast<size_t>(row) * stride);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

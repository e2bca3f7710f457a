#include "images/Image.h"

#include <cstddef>

#include "core/OpenGl.h"
#include "images/ImageFile.h"
#include "objfile/StringIo.h"

Tag Image::tag() const { return kTag; }

void Image::read(Stream& stream) {
  PsfObject::read(stream);
  readFrom(stream, fileName_);
  loadFile(fileName_);
}

void Image::write(Stream& stream) const {
  PsfObject::write(stream);
  writeTo(stream, fileName_);
}

void Image::loadFile(String name) {
  fileName_ = name;
  loadState_ = ImageLoading;
  try {
    ImageFile file(fileName_);
    decode(file);
  } catch (...) {
    loadState_ = ImageLoadFailed;
    throw;
  }
  loadState_ = ImageLoaded;
}

bool Image::textureCanBeMade() const {
  return loadState() == ImageLoaded && glGetString(GL_VERSION) != nullptr;
}

uint32_t Image::beginTexture(bool clamp) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (clamp) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  }
  // Rows start on 4-byte boundaries, which is how the bitmap copy pads them.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  return name;
}

void Image::buildMipmaps(int components, int32_t width, int32_t height, const std::vector<uint8_t>& rows) {
  const size_t tight = static_cast<size_t>(components) * static_cast<size_t>(width);
  const size_t padded = (tight + 3) & ~static_cast<size_t>(3);
  const size_t count = static_cast<size_t>(height);
  const size_t size = tight * count + tight + static_cast<size_t>(components);
  std::vector<uint8_t> packed;
  packed.reserve(size);
  for (size_t row = 0; row < count; ++row) {
    const auto start = rows.begin() + static_cast<std::ptrdiff_t>(row * padded);
    packed.insert(packed.end(), start, start + static_cast<std::ptrdiff_t>(tight));
  }
  packed.resize(size);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, components == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE,
                    packed.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

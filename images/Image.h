#pragma once
// The picture a scene's particles are drawn with. Its stored record is only a file name; reading
// the record loads the file at once, relative to the current directory.

#include <cstdint>
#include <vector>

#include "core/String.h"
#include "objfile/PsfObject.h"

class ImageFile;

// Neither side of a picture may exceed this many pixels. Sprites are a few dozen pixels wide and
// the screen is 640 x 480, so nothing a scene needs comes near it; the bound keeps what a small
// hostile file can make the load allocate small (a compressed bitmap is converted to a black copy
// of its stated size, at most 2048 * 2048 * 3 bytes, 12 MiB) and the mipmap build quick, and every
// byte count of a picture far inside a 32-bit int.
constexpr int32_t kMaxImageSide = 2048;

enum ImageLoadState : int32_t {
  ImageLoadFailed = 0,
  ImageLoading = 1,
  ImageLoaded = 2,
};

class Image : public PsfObject {
 public:
  static constexpr Tag kTag = makeTag("IMAG");

  Tag tag() const override;
  // The file name, then the file itself; a load that fails raises out of read.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;

  // Loads the named file, relative to the current directory: "File Not Found" when it cannot be
  // opened, the format's own code when its content is refused. A failed load leaves the state
  // ImageLoadFailed; the file is closed before this returns or raises.
  virtual void loadFile(String name);
  virtual int32_t loadState() const { return loadState_; }
  // A new texture name owned by the caller, bound to GL_TEXTURE_2D. 0, with no call beyond asking
  // OpenGL whether it is there, when the image is not loaded or no context is current (a tool that
  // only loads or simulates a scene): GLU would crash without one.
  virtual uint32_t createTexture() = 0;
  virtual int32_t height() const = 0;
  virtual int32_t width() const = 0;

  const String& fileName() const { return fileName_; }

 protected:
  // Reads the picture from the open file, positioned at its first byte; throws the format's code
  // when the file is refused. Replaces the image's data only once the whole picture has been read.
  virtual void decode(ImageFile& file) = 0;
  // Whether createTexture has something to upload and a context to upload it to.
  bool textureCanBeMade() const;
  // The steps every image texture shares: a new texture name, bound, with the family's filters,
  // GL_CLAMP wrapping when asked (else OpenGL's GL_REPEAT), and the unpack state the uploads use.
  static uint32_t beginTexture(bool clamp);
  // Builds the bound texture's mipmaps from the picture's rows, bottom row first, each of width
  // pixels of `components` bytes (3 red-green-blue, 4 with alpha) padded to a multiple of 4 bytes.
  // GLU's scaling of a side that is not a power of two goes wrong twice (both found by fuzzing):
  // it reads up to one pixel past the last row it is given, and it packs its scaled copies
  // without row padding but has them read with the caller's unpack alignment, so with 4 the
  // driver reads past GLU's own copy of an odd-width red-green-blue picture (1 x 77 crashed). The
  // rows therefore go to GLU packed tight, with one row and one pixel of slack, under alignment 1;
  // alignment 4 is set again afterwards.
  static void buildMipmaps(int components, int32_t width, int32_t height, const std::vector<uint8_t>& rows);

  String fileName_;

 private:
  int32_t loadState_ = ImageLoadFailed;
};

#pragma once
// The picture a scene's particles are drawn with. Its stored record is only a file name; reading
// the record loads the file at once, relative to the current directory.

#include <cstdint>

#include "core/String.h"
#include "objfile/PsfObject.h"

enum ImageLoadState : int32_t {
  ImageLoadFailed = 0,
  ImageLoading = 1,
  ImageLoaded = 2,
};

class Image : public PsfObject {
 public:
  Tag tag() const override;
  // The file name, then the file itself; a load that fails raises out of read.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;

  virtual void loadFile(String name) = 0;
  virtual int32_t loadState() const = 0;
  // A new texture name owned by the caller; 0 when the image is not loaded.
  virtual uint32_t createTexture() = 0;
  virtual int32_t height() const = 0;
  virtual int32_t width() const = 0;

  const String& fileName() const { return fileName_; }

 protected:
  String fileName_;
};

#pragma once
// The private folder a fuzz target works in, one per process: the current directory while the
// target runs, holding the input as a file and the picture files the seed scenes name, with a
// current headless OpenGL context for the textures a scene's image creates.
//
// A scene names its picture by a file name that the loader opens relative to the current
// directory. While a load runs under Confined, the process opens for reading only plain names
// (no folder separator), so fuzzed names stay inside this folder instead of reaching the host's
// files (a device, /proc, a FIFO that would block).

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/headless/EglContext.h"

class FuzzWorkspace {
 public:
  // Made on first use; the folder is removed when the process ends.
  static FuzzWorkspace& instance();

  // Writes the bytes as the file name in the folder, replacing it.
  void writeFile(const char* name, const uint8_t* data, size_t size) const;
  // Writes the bytes gzip-compressed.
  void writeGzFile(const char* name, const uint8_t* data, size_t size) const;

  // The picture files in the folder, which scene seeds name; the shipped scenes' sprites lie
  // beside them.
  static constexpr const char* kBitmapName = "sprite.bmp";
  static constexpr const char* kTargaName = "sprite.tga";

  // Confines file opening to plain names for its lifetime.
  class Confined {
   public:
    Confined();
    ~Confined();
    Confined(const Confined&) = delete;
    Confined& operator=(const Confined&) = delete;
  };

 private:
  FuzzWorkspace();
  ~FuzzWorkspace();

  std::string folder_;
  EglContext context_{1, 1};
};

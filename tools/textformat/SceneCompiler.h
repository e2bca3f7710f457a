#pragma once
// Text scenes to scene bytes and back: the work of `psftool compile` and `psftool decompile`.

#include <cstdint>
#include <string>
#include <vector>

#include "objfile/Stream.h"

class SceneCompiler {
 public:
  // The uncompressed PSF bytes, proved by loading them through the engine (all but the image);
  // a mistake in the text throws SceneTextError naming the place.
  static std::vector<uint8_t> compile(const std::string& text, const std::string& sourceName);
  // Any PSF data to text that compiles back to the same bytes (trailing bytes and negative counts
  // aside: neither is kept). Malformed data throws the engine's vtException.
  static std::string decompile(Stream& stream);
};

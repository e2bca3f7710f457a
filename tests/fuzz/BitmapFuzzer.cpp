// libFuzzer target: the bitmap reader and its texture.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzBitmap(data, size);
  return 0;
}

// libFuzzer target: the Targa reader and its texture.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzTarga(data, size);
  return 0;
}

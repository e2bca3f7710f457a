// libFuzzer target: psftool compile on scene text, and decompile of what it compiles.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzCompile(data, size);
  return 0;
}

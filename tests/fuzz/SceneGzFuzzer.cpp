// libFuzzer target: the scene loader through the gzip stream, on compressed and damaged gzip data.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzGzScene(data, size);
  return 0;
}

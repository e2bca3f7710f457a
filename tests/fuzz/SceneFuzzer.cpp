// libFuzzer target: the scene loader on a scene file as it stands, through the plain file stream.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzScene(data, size);
  return 0;
}

// libFuzzer target: a loaded scene run for a few hundred steps.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzSimulation(data, size);
  return 0;
}

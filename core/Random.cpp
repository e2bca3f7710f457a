#include "core/Random.h"

#include "core/FloatBits.h"

namespace {

uint32_t generatorState = 1;

// Bit patterns fixed by the scenes' distributions, not the nearest values to 2 pi / 16384 etc.
const float kFullAngleFactor = floatOf(0x39C90ED0u);
const float kHalfAngleFactor = floatOf(0x39490ED0u);
const float kLiftFactor = floatOf(0x36CCCCCDu);

constexpr float kUnitFactor = 1.0f / 32768.0f;
constexpr float kSignedFactor = 1.0f / 16384.0f;

}  // namespace

namespace Random {

void seed(uint32_t value) { generatorState = value; }

uint32_t state() { return generatorState; }

int32_t randRaw() {
  generatorState = generatorState * 214013u + 2531011u;
  return static_cast<int32_t>((generatorState >> 16) & 0x7FFFu);
}

float randUnit() { return static_cast<float>(randRaw()) * kUnitFactor; }

float randSigned() { return static_cast<float>(16384 - randRaw()) * kSignedFactor; }

float randFullAngle() { return static_cast<float>(16384 - randRaw()) * kFullAngleFactor; }

float randHalfAngle() { return static_cast<float>(16384 - randRaw()) * kHalfAngleFactor; }

float randLift() { return static_cast<float>(randRaw()) * kLiftFactor; }

}  // namespace Random

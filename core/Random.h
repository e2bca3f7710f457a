#pragma once
// The engine's one random generator and the ways its raw values become ranges and angles.
// The generator is the classic runtime formula, owned here so that every platform draws the same
// sequence for the same seed.

#include <cstdint>

namespace Random {

void seed(uint32_t state);
uint32_t state();

// Next raw value, 0..32767.
int32_t randRaw();
// [0, 1) in steps of 1/32768.
float randUnit();
// (-1, 1]: exactly 1 for raw 0, never -1.
float randSigned();
// About (-2 pi, 2 pi]; the factor is a hair below 2 pi / 16384, so raw 0 gives 6.2830582.
float randFullAngle();
// About (-pi, pi].
float randHalfAngle();
// [0, 0.2).
float randLift();

}  // namespace Random

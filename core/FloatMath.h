#pragma once
// Single-precision square root and trigonometry that give the same bits on every platform.
// sqrt is correctly rounded everywhere; sine and cosine are taken in double precision and rounded
// once, so the C runtimes' differing float versions cannot make Linux and Windows runs diverge.

#include <cmath>

inline float floatSqrt(float x) { return std::sqrt(x); }
inline float floatSin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
inline float floatCos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }

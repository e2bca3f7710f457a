#pragma once
// Half-size of the drawn square over a particle's life, in eye-space units; a curve without keys
// is 0.5.

#include "particles/LifeCurve.h"

class SizeCurve : public LifeCurve<float> {
 public:
  using LifeCurve::LifeCurve;

  void build() { LifeCurve::build(0.5f); }
};

#pragma once
// Colour over a particle's life; a curve without keys is white.

#include "core/Color4.h"
#include "particles/LifeCurve.h"

class ColorCurve : public LifeCurve<Color4> {
 public:
  using LifeCurve::LifeCurve;

  void build() { LifeCurve::build(Color4(1.0f, 1.0f, 1.0f, 1.0f)); }
};

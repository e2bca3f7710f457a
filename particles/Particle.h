#pragma once
// One particle: a plain record made by the emitter, pushed by modifiers and shapes, aged, moved
// and drawn by the particle system.

#include <cstdint>

#include "core/Color4.h"
#include "core/Vec3.h"
#include "particles/ParticleList.h"

class ColorCurve;
class SizeCurve;

class Particle {
 public:
  // Copied from the emitter at birth and never changed.
  Vec3 aux;
  // Displacement per step, before stepScale.
  Vec3 velocity;
  // Base position in world units.
  Vec3 position;
  // Radius of the drawn offset around the direction of travel; at most 1e-6 means none.
  float orbitRadius = 0.0f;
  // Radians.
  float orbitAngle = 0.0f;
  float stepScale = 1.0f;
  // Steps still to live.
  int32_t lifeLeft = 0;
  // Steps at birth.
  int32_t lifeTotal = 1;
  // The emitter's curves, shared and not owned; null means white and half-size 0.5.
  const ColorCurve* colorCurve = nullptr;
  const SizeCurve* sizeCurve = nullptr;

  void setVelocity(const Vec3& v) { velocity = v; }
  void setVelocity(float x, float y, float z) { velocity.set(x, y, z); }
  void setPosition(const Vec3& p) { position = p; }
  void setPosition(float x, float y, float z) { position.set(x, y, z); }

  // Where the particle is drawn: position, offset by orbitRadius at orbitAngle on a circle around
  // the direction of travel. The circle shrinks as that direction nears vertical and vanishes for
  // a particle moving straight down; straight up or at rest it is the horizontal (-sin, 0, cos).
  // The angle's sine and cosine are kept from the last call until orbitAngle changes.
  Vec3 orbitPosition() const;
  // 0 at birth, 100 on the last drawn step.
  float lifePercent() const;
  // Throw "Illegal Index" when a curve is present and the percentage lies outside 0..100 or is
  // NaN; without a curve they never look at the life values.
  Color4 currentColor() const;
  float currentSize() const;

 private:
  // The sine and cosine of turnAngle_, the orbitAngle they were last taken for. A particle keeps
  // its angle for its whole life unless a bubble turns it, while modifiers, shapes and the walk
  // ask for its drawn position several times a step; the angle is compared by its bits, so any
  // write to orbitAngle (NaN or -0 included) is seen. Angle 0 starts with its own exact values.
  mutable float turnAngle_ = 0.0f;
  mutable float turnSin_ = 0.0f;
  mutable float turnCos_ = 1.0f;
};

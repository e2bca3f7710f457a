#pragma once
// A deflector shape: tests every particle against its surface for the coming step and, on a hit,
// replaces the velocity with a reflected and damped one. Shapes keep nothing between steps.

#include <cstdint>

#include "objfile/PsfObject.h"
#include "particles/Particle.h"

enum BounceMode : int32_t {
  Mirror = 1,  // the normal component is reversed
  Graze = 2,   // the normal component is multiplied by -0.1
};

class Bouncer : public PsfObject {
 public:
  Tag tag() const override;
  // Visits every particle; never changes the list.
  virtual void collide(ParticleList& particles) = 0;
  // The inspection view; the particle system never calls it.
  virtual void draw() = 0;

  // The rule every shape shares: (w - k (w . n) n) * factor, n a unit normal of either sign.
  static Vec3 reflect(const Vec3& w, const Vec3& normal, float k, float factor);
  // k for a stored bounce mode; false for a mode that changes nothing.
  static bool reflectionFactor(int32_t mode, float& k);
};

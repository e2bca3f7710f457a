#pragma once
// A stored object that changes particle motion once per step. Each step the particle system calls
// advance on every modifier in list order, then apply on each one whose isActive is true. Every
// stored field of a modifier is a float or a Vec3; each class lists them in visitFields, and the
// body is that list, with no length, version or padding.

#include "core/Vec3.h"
#include "objfile/PsfObject.h"
#include "particles/Particle.h"

class Modifier : public PsfObject {
 public:
  static constexpr Tag kTag = makeTag("MDFR");

  Tag tag() const override;
  // Changes velocities (and, for the bubble, orbits) only; never adds or removes particles.
  virtual void apply(ParticleList& particles) = 0;
  // Once per step before any modifier is applied, whether active or not.
  virtual void advance();
  virtual bool isActive() const;

 protected:
  // The common terms: speed = |velocity| and dir = velocity / speed, with no guard against zero
  // speed (a resting particle gets a NaN direction).
  struct Heading {
    float speed;
    Vec3 dir;
  };
  static Heading headingOf(const Vec3& velocity);

  // The avoiders' step: the direction turned by side * weight, scaled back to the particle's
  // speed, so that avoiding an obstacle never speeds a particle up or slows it down.
  static Vec3 bend(const Heading& heading, const Vec3& side, float weight);
};

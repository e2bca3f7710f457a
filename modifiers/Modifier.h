#pragma once
// A stored object that changes particle motion once per step. Each step the particle system calls
// advance on every modifier in list order, then apply on each one whose isActive is true.

#include "objfile/PsfObject.h"
#include "particles/Particle.h"

class Modifier : public PsfObject {
 public:
  Tag tag() const override;
  // Changes velocities (and, for the bubble, orbits) only; never adds or removes particles.
  virtual void apply(ParticleList& particles) = 0;
  // Once per step before any modifier is applied, whether active or not.
  virtual void advance();
  virtual bool isActive() const;
};

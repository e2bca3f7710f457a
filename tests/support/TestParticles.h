#pragma once
// A particle list that owns its particles, as the particle system does, and frees them when the
// test ends.

#include "particles/Particle.h"

class TestParticles {
 public:
  TestParticles() = default;
  TestParticles(const TestParticles&) = delete;
  TestParticles& operator=(const TestParticles&) = delete;
  ~TestParticles();

  // A particle without orbit at position with velocity, appended at the tail.
  Particle& add(const Vec3& position, const Vec3& velocity, float stepScale = 1.0f);

  ParticleList list;
};

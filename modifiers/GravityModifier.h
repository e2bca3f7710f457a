#pragma once
// Pairwise attraction between particles closer than a radius, measured between their base
// positions. Quadratic in the number of particles.

#include "modifiers/Modifier.h"

class GravityModifier final : public Modifier {
 public:
  // Attraction constant. Stored.
  float strength = 1.0f;
  // Pairs this far apart or farther do not interact. Stored.
  float radius = 1000.0f;
  float radiusSq = 1000000.0f;

  GravityModifier();
  ~GravityModifier() override = default;

  Tag tag() const override;
  // Every ordered pair (a, b), a from head to tail and b from head to tail, with each impulse
  // applied at once to both particles; each unordered pair is therefore visited twice.
  void apply(ParticleList& particles) override;
  void derive() override;
};

#pragma once
// Pairwise attraction between particles closer than a radius, measured between their base
// positions. Quadratic in the number of particles.

#include <vector>

#include "modifiers/Modifier.h"

class GravityModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MGRV");

  // Attraction constant. Stored.
  float strength = 1.0f;
  // Pairs this far apart or farther do not interact. Stored.
  float radius = 1000.0f;
  float radiusSq = 1000000.0f;

  GravityModifier();
  ~GravityModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // The result of the pair loop over every ordered pair (a, b), a from head to tail and b from
  // head to tail, each impulse f = (b - a) strength / (s2^2 + 0.0001) added to a's velocity and
  // taken from b's at once: each unordered pair acts twice. The same bits, computed faster.
  void apply(ParticleList& particles) override;
  void derive() override;

 private:
  // The base positions of the particles, x then y then z, each padded to a whole group of lanes;
  // kept between steps so that a step allocates only when the particle count grows.
  std::vector<float> points_;
};

#pragma once
// Pulls particles towards a centre point, hardest close to it.

#include "modifiers/Modifier.h"

class SphereModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MSPH");

  // Attracting point. Stored.
  Vec3 centre{0.0f, 0.0f, 0.0f};
  // How fast the pull weakens with distance: the pull is 1 / (distance * falloff + 1). Stored.
  float falloff = 0.5f;

  ~SphereModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Tests the drawn position; a particle on the centre is left alone.
  void apply(ParticleList& particles) override;
};

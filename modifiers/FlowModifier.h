#pragma once
// Turns the direction of particles outside a radius towards a centre, keeping their speed.

#include "modifiers/Modifier.h"

class FlowModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MFLW");

  // Point that particles are turned towards. Stored.
  Vec3 centre{0.0f, 0.0f, 0.0f};
  float radiusSq = 1.0f;
  // Particles within this distance of the centre, or exactly at it, are left alone. Stored.
  float radius = 1.0f;
  // Weight of the particle's own direction; 1 leaves directions unchanged. Stored.
  float inertia = 1.0f;
  // 1 - inertia: weight of the direction to the centre.
  float pull = 0.0f;

  FlowModifier();
  ~FlowModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Tests the drawn position. A resting particle, or one moving straight away from the centre
  // with inertia 0, gets a NaN velocity.
  void apply(ParticleList& particles) override;
  void derive() override;
};

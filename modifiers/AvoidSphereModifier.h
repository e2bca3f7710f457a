#pragma once
// Steers particles around a sphere that lies ahead of them, keeping their speed.

#include "modifiers/Modifier.h"

class AvoidSphereModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MAVS");

  // Stored.
  Vec3 centre{0.0f, 0.0f, 0.0f};
  // Stored.
  float radius = 1.0f;
  float radiusSq = 1.0f;
  // Look-ahead distance in units of the particle's speed, that is in steps. Stored.
  float lookAheadFactor = 10.0f;

  AvoidSphereModifier();
  ~AvoidSphereModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Casts a ray from the drawn position along the direction of travel. Particles inside the
  // sphere, moving away from it, grazing it or too far from it are left alone; one approaching
  // exactly head-on gets a NaN velocity.
  void apply(ParticleList& particles) override;
  void derive() override;
};

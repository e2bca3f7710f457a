#pragma once
// Multiplies the velocity components of every particle whose speed lies strictly inside a band.

#include "modifiers/Modifier.h"

class DampModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MDMP");

  // Per-component multiplier of the velocity; above 1 accelerates. Stored.
  Vec3 factor{0.5f, 0.5f, 0.5f};
  // Exclusive lower bound of the speed band. Stored.
  float minSpeed = 0.0f;
  float minSpeedSq = 0.0f;
  // Exclusive upper bound of the speed band. Stored.
  float maxSpeed = 100.0f;
  float maxSpeedSq = 10000.0f;

  DampModifier();
  ~DampModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  void apply(ParticleList& particles) override;
  void derive() override;
};

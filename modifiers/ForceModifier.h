#pragma once
// Adds a constant vector to every velocity each step: gravity, wind.

#include "modifiers/Modifier.h"

class ForceModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MFRC");

  // Added to every velocity each step. Stored.
  Vec3 force{0.0f, 0.0f, 0.0f};

  ~ForceModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  void apply(ParticleList& particles) override;
  // False while every component lies within 1e-6 of zero.
  bool isActive() const override;
};

#pragma once
// Makes particles wobble: gives every particle the same orbit radius and turns its orbit angle by
// a fixed step plus a random part. Velocities and positions are untouched; the wobble shows in
// the drawn position.

#include "modifiers/Modifier.h"

class BubbleModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MBUB");

  // Orbit radius given to every particle. Stored.
  float radius = 1.0f;
  // Orbit angle added per step, radians. Stored.
  float angleStep = 0.0f;
  // Amplitude of the random part of the angle step, radians. Stored.
  float angleJitter = 0.0f;

  ~BubbleModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Draws one random number per particle, in list order, even when angleJitter is 0.
  void apply(ParticleList& particles) override;
  // radius >= 1e-6, signed: a negative radius is inactive and draws nothing.
  bool isActive() const override;
};

#pragma once
// Pushes particles away from a centre with a strength that fades every step from the moment the
// scene is loaded: a burst at the start of the run.

#include "modifiers/Modifier.h"

class ExplosionModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MEXP");

  // Strength before the first step; see the .cpp for the choice.
  static constexpr float kStartingStrength = 1.0f;

  // Centre of the explosion. Stored.
  Vec3 centre{0.0f, 0.0f, 0.0f};
  // Current strength: the push at the centre, in velocity units per step. Neither stored nor
  // read; divided by (1 + decay) in every advance.
  float strength = kStartingStrength;
  // Stored.
  float decay = 0.5f;

  ~ExplosionModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Measures from the base position, not the drawn one.
  void apply(ParticleList& particles) override;
  // Decays whether or not the explosion is still active.
  void advance() override;
  // strength >= 0.0001.
  bool isActive() const override;
};

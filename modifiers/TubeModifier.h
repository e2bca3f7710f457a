#pragma once
// Pulls particles towards the axis of a segment, but only those alongside it.

#include "modifiers/Modifier.h"

class TubeModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MTUB");

  // First end of the segment. Stored.
  Vec3 start{-10.0f, 0.0f, 0.0f};
  // Second end of the segment. Stored.
  Vec3 end{10.0f, 0.0f, 0.0f};
  // end - start.
  Vec3 axis;
  // axis / length; NaN for a zero-length segment.
  Vec3 axisDir;
  float length = 0.0f;
  // How fast the pull weakens with distance from the axis. Stored.
  float falloff = 0.5f;

  TubeModifier();
  ~TubeModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Tests the drawn position; particles beside the ends or on the axis are left alone.
  void apply(ParticleList& particles) override;
  // length >= 0.0001: a zero-length (or NaN) segment does nothing.
  bool isActive() const override;
  void derive() override;
};

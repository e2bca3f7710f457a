#pragma once
// Steers particles around a planar patch with four corners that lies ahead of them, keeping their
// speed.

#include "core/ConvexPatch.h"
#include "modifiers/Modifier.h"

class AvoidQuadModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MAVD");

  // The corners, in order around the patch. Stored.
  Vec3 cornerA{-10.0f, 0.0f, -10.0f};
  Vec3 cornerB{10.0f, 0.0f, -10.0f};
  Vec3 cornerC{10.0f, 0.0f, 10.0f};
  Vec3 cornerD{-10.0f, 0.0f, 10.0f};
  // The face plane through A, B, C (normal (B - A) x (C - A)) and the four edge planes (A, B),
  // (B, C), (C, D), (D, A), each facing into the patch.
  ConvexPatch<4> patch;
  // Largest distance along the ray at which the patch is avoided. Stored.
  float lookAhead = 100.0f;

  AvoidQuadModifier();
  ~AvoidQuadModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Casts a ray from the drawn position along the direction of travel. Only a plane farther than
  // lookAhead is ignored: a particle moving away from the patch (negative distance) is bent too.
  void apply(ParticleList& particles) override;
  void derive() override;
};

#pragma once
// Steers particles around an axis-aligned box that lies ahead of them, keeping their speed.

#include "modifiers/Modifier.h"

class AvoidBoxModifier final : public Modifier {
 public:
  static constexpr Tag kTag = makeTag("MAVB");

  // Minimum corner. Stored.
  Vec3 boxMin{0.0f, 0.0f, 0.0f};
  // Maximum corner. Stored.
  Vec3 boxMax{1.0f, 1.0f, 1.0f};
  // Largest distance along the ray at which the box is avoided. Stored.
  float lookAhead = 100.0f;

  ~AvoidBoxModifier() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Casts a ray from the drawn position along the direction of travel. A particle inside the box
  // (negative entry distance) is bent too; one heading straight at a face is not.
  void apply(ParticleList& particles) override;

  // Slab test of the ray (origin, dir) against the box: the entry distance t, negative from
  // inside, and the unit normal of the entered face, pointing against the travel along its axis.
  // Ties between axes go to the later axis.
  bool rayHit(const Vec3& origin, const Vec3& dir, float& t, Vec3& normal) const;
};

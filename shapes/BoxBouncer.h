#pragma once
// An axis-aligned box that particles bounce off, entering or leaving, by a slab test along their
// velocity.

#include "shapes/Bouncer.h"

class BoxBouncer : public Bouncer {
 public:
  static constexpr Tag kTag = makeTag("BBOX");

  // Corners with the smallest and the largest coordinates. Stored.
  Vec3 boxMin{0.0f, 0.0f, 0.0f};
  Vec3 boxMax{1.0f, 1.0f, 1.0f};
  // Factor on the reflected velocity. Stored.
  float restitution = 0.25f;

  ~BoxBouncer() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // The entry face along the drawn position's ray p + t v, for |t| <= 1 ahead or behind.
  void collide(ParticleList& particles) override;
  // Six quads, faces x = min, x = max, y = min, y = max, z = min, z = max.
  void draw() override;
};

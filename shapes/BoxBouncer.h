#pragma once
// An axis-aligned box that particles bounce off, entering or leaving, by a slab test along their
// velocity.

#include "shapes/Bouncer.h"

class BoxBouncer : public Bouncer {
 public:
  BoxBouncer() = default;
  ~BoxBouncer() override = default;

  Tag tag() const override;
  // boxMin, boxMax, restitution.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // The entry face along the drawn position's ray p + t v, for |t| <= 1 ahead or behind.
  void collide(ParticleList& particles) override;
  // Six quads, faces x = min, x = max, y = min, y = max, z = min, z = max.
  void draw() override;

  const Vec3& boxMin() const { return boxMin_; }
  const Vec3& boxMax() const { return boxMax_; }
  float restitution() const { return restitution_; }

 private:
  Vec3 boxMin_{0.0f, 0.0f, 0.0f};
  Vec3 boxMax_{1.0f, 1.0f, 1.0f};
  float restitution_ = 0.25f;
};

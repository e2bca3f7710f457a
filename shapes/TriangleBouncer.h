#pragma once
// A planar triangle that particles bounce off as they cross it. It always grazes: every read
// replaces the stored bounce mode with 2.

#include "shapes/Bouncer.h"

class TriangleBouncer : public Bouncer {
 public:
  TriangleBouncer();
  ~TriangleBouncer() override = default;

  Tag tag() const override;
  // vertices[0..2], restitution, bounceMode; then the planes are derived and the mode becomes 2.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // Reflects (predicted - drawn position) by the bounce mode for particles crossing the triangle
  // this step; a mode other than 1 or 2 changes nothing.
  void collide(ParticleList& particles) override;
  // One triangle through the vertices in order.
  void draw() override;

  const Vec3 (&vertices() const)[3] { return vertices_; }
  float restitution() const { return restitution_; }
  int32_t bounceMode() const { return bounceMode_; }
  // The face plane and the three edge planes, facing into the triangle.
  const ConvexPatch<3>& patch() const { return patch_; }

 private:
  Vec3 vertices_[3] = {{-10.0f, 0.0f, 0.0f}, {10.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 10.0f}};
  float restitution_ = 0.75f;
  int32_t bounceMode_ = Mirror;
  ConvexPatch<3> patch_;
};

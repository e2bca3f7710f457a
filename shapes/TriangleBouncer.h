#pragma once
// A planar triangle that particles bounce off as they cross it. It always grazes: every read
// replaces the stored bounce mode with 2.

#include "shapes/Bouncer.h"

class TriangleBouncer : public Bouncer {
 public:
  static constexpr Tag kTag = makeTag("BTRI");

  // In order round the triangle. Stored.
  Vec3 vertices[3] = {{-10.0f, 0.0f, 0.0f}, {10.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 10.0f}};
  // Factor on the reflected velocity. Stored.
  float restitution = 0.75f;
  // A BounceMode value, or any other value, which bounces nothing. Stored, and 2 after every read.
  int32_t bounceMode = Mirror;
  // The face plane and the three edge planes, facing into the triangle.
  ConvexPatch<3> patch;

  TriangleBouncer();
  ~TriangleBouncer() override = default;

  Tag tag() const override;
  // The fields, then the mode becomes 2.
  void read(Stream& stream) override;
  void visitFields(FieldVisitor& visitor) override;
  // Reflects (predicted - drawn position) by the bounce mode for particles crossing the triangle
  // this step; a mode other than 1 or 2 changes nothing.
  void collide(ParticleList& particles) override;
  // One triangle through the vertices in order.
  void draw() override;
  void derive() override;
};

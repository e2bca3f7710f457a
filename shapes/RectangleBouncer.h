#pragma once
// A planar convex patch with four corners that particles bounce off as they cross it.

#include "shapes/Bouncer.h"

class RectangleBouncer : public Bouncer {
 public:
  static constexpr Tag kTag = makeTag("BRCT");

  // In order round the patch. Stored.
  Vec3 corners[4] = {{-10.0f, 0.0f, -10.0f}, {10.0f, 0.0f, -10.0f}, {10.0f, 0.0f, 10.0f}, {-10.0f, 0.0f, 10.0f}};
  // The share of the reflected velocity lost. Stored.
  float loss = 0.25f;
  // 1 - loss.
  float restitution = 0.75f;
  // The face plane and the four edge planes, facing into the patch.
  ConvexPatch<4> patch;

  RectangleBouncer();
  ~RectangleBouncer() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Mirror bounce of (predicted - drawn position) for particles crossing the patch this step.
  void collide(ParticleList& particles) override;
  // One quad through the corners in order.
  void draw() override;
  void derive() override;
};

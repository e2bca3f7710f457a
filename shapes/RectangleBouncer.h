#pragma once
// A planar convex patch with four corners that particles bounce off as they cross it.

#include "shapes/Bouncer.h"

class RectangleBouncer : public Bouncer {
 public:
  RectangleBouncer();
  ~RectangleBouncer() override = default;

  Tag tag() const override;
  // corners[0..3], loss; then the planes and restitution are derived.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // Mirror bounce of (predicted - drawn position) for particles crossing the patch this step.
  void collide(ParticleList& particles) override;
  // One quad through the corners in order.
  void draw() override;

  const Vec3 (&corners() const)[4] { return corners_; }
  float loss() const { return loss_; }
  // 1 - loss.
  float restitution() const { return restitution_; }
  // The face plane and the four edge planes, facing into the patch.
  const ConvexPatch<4>& patch() const { return patch_; }

 private:
  Vec3 corners_[4] = {{-10.0f, 0.0f, -10.0f}, {10.0f, 0.0f, -10.0f}, {10.0f, 0.0f, 10.0f}, {-10.0f, 0.0f, 10.0f}};
  float loss_ = 0.25f;
  float restitution_ = 0.75f;
  ConvexPatch<4> patch_;
};

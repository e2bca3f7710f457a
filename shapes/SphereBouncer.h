#pragma once
// A sphere that redirects every particle whose predicted position lies inside it, coming in or
// already inside; there is no crossing test.

#include "shapes/Bouncer.h"

class SphereBouncer : public Bouncer {
 public:
  SphereBouncer() = default;
  ~SphereBouncer() override = default;

  Tag tag() const override;
  // centre, radius, loss, bounceMode; then radiusSq and restitution are derived.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // Reflects (predicted - drawn position) off the direction from the predicted position to the
  // centre, by the bounce mode; a mode other than 1 or 2 changes nothing.
  void collide(ParticleList& particles) override;
  // Draws nothing: the sphere has no inspection view.
  void draw() override;

  const Vec3& centre() const { return centre_; }
  float radius() const { return radius_; }
  float loss() const { return loss_; }
  int32_t bounceMode() const { return bounceMode_; }
  float radiusSq() const { return radiusSq_; }
  // 1 - loss.
  float restitution() const { return restitution_; }

 private:
  Vec3 centre_{0.0f, 0.0f, 0.0f};
  float radius_ = 3.0f;
  float loss_ = 0.25f;
  int32_t bounceMode_ = Graze;
  float radiusSq_ = 9.0f;
  float restitution_ = 0.75f;
};

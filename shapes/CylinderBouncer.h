#pragma once
// A capped cylinder between two end points, hit by a ray test along the particle's velocity
// against its two caps and its side. Particles inside stay inside; from outside, only cap A and
// the side deflect (the far plane of cap A hides cap B).

#include "core/Plane.h"
#include "shapes/Bouncer.h"

class CylinderBouncer : public Bouncer {
 public:
  CylinderBouncer();
  ~CylinderBouncer() override = default;

  Tag tag() const override;
  // endA, endB, radius, restitution; then the cap planes are derived.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // The nearest of a cap hit and a side hit ahead along v, if it lies within |v|.
  void collide(ParticleList& particles) override;
  // A capped tube from endA to endB through GLE; nothing but the state change without GLE.
  void draw() override;

  const Vec3& endA() const { return endA_; }
  const Vec3& endB() const { return endB_; }
  float radius() const { return radius_; }
  float restitution() const { return restitution_; }
  // Through endA and endB, both normals pointing into the cylinder.
  const Plane& capPlaneA() const { return capPlaneA_; }
  const Plane& capPlaneB() const { return capPlaneB_; }

  // GLE's TUBE_NORM_EDGE | TUBE_JN_ANGLE | TUBE_JN_CAP: angle joins, closed ends, edge normals.
  static constexpr int kJoinStyle = 0x212;

 private:
  void derive();
  // The distance along dir at which the ray from p meets the cap, if it does at t >= 1e-6 within
  // the cap's disc. Only the first plane the ray meets is examined.
  bool hitCap(const Vec3& p, const Vec3& dir, float& distance, Vec3& normal) const;
  // The distance along dir at which the ray from p meets the side between the caps; from inside,
  // the far wall.
  bool hitSide(const Vec3& p, const Vec3& dir, float& distance, Vec3& normal) const;

  Vec3 endA_{0.0f, 0.0f, 0.0f};
  Vec3 endB_{1.0f, 1.0f, 1.0f};
  float radius_ = 2.0f;
  float restitution_ = 0.75f;
  Plane capPlaneA_;
  Plane capPlaneB_;
};

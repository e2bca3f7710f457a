#pragma once
// A capped cylinder between two end points, hit by a ray test along the particle's velocity
// against its two caps and its side. Particles inside stay inside; from outside, only cap A and
// the side deflect (the far plane of cap A hides cap B).

#include "core/Plane.h"
#include "shapes/Bouncer.h"

class CylinderBouncer : public Bouncer {
 public:
  static constexpr Tag kTag = makeTag("BCYL");

  // The centres of the two caps. Stored.
  Vec3 endA{0.0f, 0.0f, 0.0f};
  Vec3 endB{1.0f, 1.0f, 1.0f};
  // Stored.
  float radius = 2.0f;
  // Factor on the reflected velocity. Stored.
  float restitution = 0.75f;
  // Through endA and endB, both normals pointing into the cylinder.
  Plane capPlaneA;
  Plane capPlaneB;

  CylinderBouncer();
  ~CylinderBouncer() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // The nearest of a cap hit and a side hit ahead along v, if it lies within |v|.
  void collide(ParticleList& particles) override;
  // A capped tube from endA to endB through GLE; nothing but the state change without GLE.
  void draw() override;
  void derive() override;

  // GLE's TUBE_NORM_EDGE | TUBE_JN_ANGLE | TUBE_JN_CAP: angle joins, closed ends, edge normals.
  static constexpr int kJoinStyle = 0x212;

 private:
  // The distance along dir at which the ray from p meets the cap, if it does at t >= 1e-6 within
  // the cap's disc. Only the first plane the ray meets is examined.
  bool hitCap(const Vec3& p, const Vec3& dir, float& distance, Vec3& normal) const;
  // The distance along dir at which the ray from p meets the side between the caps; from inside,
  // the far wall.
  bool hitSide(const Vec3& p, const Vec3& dir, float& distance, Vec3& normal) const;
};

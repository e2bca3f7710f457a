#include "shapes/CylinderBouncer.h"

#include <cmath>

#include "core/FloatMath.h"
#include "core/OpenGl.h"
#include "shapes/GleLibrary.h"

namespace {

// Where the ray p + t dir meets the plane, for t >= 1e-6 only; a ray along the plane never does.
bool meetPlane(const Plane& plane, const Vec3& p, const Vec3& dir, float& t) {
  const float cosine = Vec3::dot(dir, plane.normal);
  if (cosine == 0.0f) {
    return false;
  }
  t = (-Vec3::dot(plane.normal, p) - plane.offset) / cosine;
  return t >= 1e-6f;
}

}  // namespace

CylinderBouncer::CylinderBouncer() { derive(); }

Tag CylinderBouncer::tag() const { return kTag; }

void CylinderBouncer::visitFields(FieldVisitor& visitor) {
  visitor.field("endA", endA);
  visitor.field("endB", endB);
  visitor.field("radius", radius);
  visitor.field("restitution", restitution);
}

void CylinderBouncer::derive() {
  capPlaneA = Plane::through(endA, Vec3::normalized(endB - endA));
  capPlaneB = Plane::through(endB, Vec3::normalized(endA - endB));
}

bool CylinderBouncer::hitCap(const Vec3& p, const Vec3& dir, float& distance, Vec3& normal) const {
  const Plane* cap = &capPlaneA;
  const Vec3* centre = &endA;
  float t;
  // Cap B is looked at only when the ray never meets cap A's plane, even when it meets that
  // plane outside the disc.
  if (!meetPlane(capPlaneA, p, dir, t)) {
    cap = &capPlaneB;
    centre = &endB;
    if (!meetPlane(capPlaneB, p, dir, t)) {
      return false;
    }
  }
  const Vec3 h = p + dir * t;
  if (!(std::fabs(cap->distance(h)) <= 1e-5f && Vec3::lengthSquared(*centre - h) < radius * radius)) {
    return false;
  }
  distance = t;
  normal = cap->normal;
  return true;
}

bool CylinderBouncer::hitSide(const Vec3& p, const Vec3& dir, float& distance, Vec3& normal) const {
  // The ray against the infinite cylinder, both taken perpendicular to the axis.
  const Vec3 axis = endB - endA;
  const float axisSq = Vec3::lengthSquared(axis);
  const Vec3 q = p - endA;
  const float along = Vec3::dot(axis, q);
  const Vec3 qPerp = q - axis * (along / axisSq);
  const float dAxis = Vec3::dot(dir, axis);
  const Vec3 dPerp = dir - axis * (dAxis / axisSq);
  const float a = Vec3::lengthSquared(dPerp);
  const float b = 2.0f * Vec3::dot(dPerp, qPerp);
  const float c = Vec3::lengthSquared(qPerp) - radius * radius;
  const float disc = b * b - 4.0f * a * c;
  // Motion parallel to the axis never meets the side.
  if (disc < 0.0f || 2.0f * a <= 1e-6f) {
    return false;
  }
  const float root = floatSqrt(disc);
  const float s1 = (root - b) / (2.0f * a);
  const float s2 = (-b - root) / (2.0f * a);
  float s;
  float alternative;
  bool hasAlternative;
  if (s2 >= 1e-6f && s1 >= 1e-6f) {
    s = s2;
    alternative = s1;
    hasAlternative = true;
  } else if (s1 >= 1e-6f) {
    s = s1;
    alternative = 0.0f;
    hasAlternative = false;
  } else {
    return false;
  }
  // The fraction of the way from endA to endB at which the ray is at distance x.
  const auto axial = [&](float x) { return (along + x * dAxis) / axisSq; };
  const float u = axial(s);
  if (!(u >= 0.0f && u <= 1.0f)) {
    // The near wall lies beyond a cap; from inside, the far wall may still be between them.
    if (!hasAlternative || !(alternative >= 0.0f)) {
      return false;
    }
    const float uAlternative = axial(alternative);
    if (!(uAlternative >= 0.0f && uAlternative <= 1.0f)) {
      return false;
    }
    s = alternative;
  }
  const Vec3 h = p + dir * s;
  const Vec3 k = Vec3::normalized(axis);
  const Vec3 nearest = endA + k * Vec3::dot(h - endA, k);
  distance = s;
  normal = Vec3::normalized(h - nearest);
  return true;
}

void CylinderBouncer::collide(ParticleList& particles) {
  for (Particle* particle : particles) {
    const Vec3 p = particle->orbitPosition();
    const Vec3 v = particle->velocity;
    const float speed = floatSqrt(Vec3::lengthSquared(v));
    const Vec3 dir = v / speed;
    float capDistance;
    Vec3 capNormal;
    float sideDistance;
    Vec3 sideNormal;
    const bool cap = hitCap(p, dir, capDistance, capNormal);
    const bool side = hitSide(p, dir, sideDistance, sideNormal);
    if (!cap && !side) {
      continue;
    }
    // On equal distances the side wins.
    const bool useSide = side && (!cap || sideDistance <= capDistance);
    const float distance = useSide ? sideDistance : capDistance;
    // A surface reached exactly at the end of the step counts.
    if (distance <= speed) {
      particle->setVelocity(reflect(v, useSide ? sideNormal : capNormal, 2.0f, restitution));
    }
  }
}

void CylinderBouncer::draw() {
  beginDrawing();
  const GleLibrary& gle = GleLibrary::instance();
  if (gle.available()) {
    // GLE draws only between the inner points; the outer two set the angles of the end cuts.
    double points[4][3];
    float colors[4][3];
    const Vec3 ends[4] = {endA, endB, endA, endB};
    for (int i = 0; i < 4; ++i) {
      points[i][0] = ends[i].x;
      points[i][1] = ends[i].y;
      points[i][2] = ends[i].z;
      for (int channel = 0; channel < 3; ++channel) {
        colors[i][channel] = kDrawColor[channel];
      }
    }
    gle.setJoinStyle(kJoinStyle);
    gle.polyCylinder(4, points, colors, radius);
  }
  endDrawing();
}

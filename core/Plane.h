#pragma once
// A plane as a unit normal and an offset: it holds the points q with normal . q + offset = 0.

#include "core/Vec3.h"

class Plane {
 public:
  Vec3 normal;
  float offset = 0.0f;

  constexpr Plane() = default;
  constexpr Plane(const Vec3& normal, float offset) : normal(normal), offset(offset) {}

  // The plane through point with the given unit normal.
  static Plane through(const Vec3& point, const Vec3& unitNormal) { return {unitNormal, -Vec3::dot(point, unitNormal)}; }

  float distance(const Vec3& q) const { return Vec3::dot(normal, q) + offset; }
  // Strictly: a point on the plane is not on the positive side.
  bool isPositive(const Vec3& q) const { return distance(q) > 0.0f; }
};

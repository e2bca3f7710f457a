#include "modifiers/Modifier.h"

#include "core/FloatMath.h"

Tag Modifier::tag() const { return kTag; }

void Modifier::advance() {}

bool Modifier::isActive() const { return true; }

Modifier::Heading Modifier::headingOf(const Vec3& velocity) {
  const float speed = floatSqrt(Vec3::lengthSquared(velocity));
  return {speed, velocity / speed};
}

Vec3 Modifier::bend(const Heading& heading, const Vec3& side, float weight) {
  const Vec3 s = heading.dir + side * weight;
  return s * (heading.speed / floatSqrt(Vec3::lengthSquared(s)));
}

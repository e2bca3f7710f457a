#include "shapes/Bouncer.h"

Tag Bouncer::tag() const { return makeTag("BNCE"); }

Vec3 Bouncer::reflect(const Vec3& w, const Vec3& normal, float k, float factor) {
  return (w - normal * (k * Vec3::dot(w, normal))) * factor;
}

bool Bouncer::reflectionFactor(int32_t mode, float& k) {
  switch (mode) {
    case Mirror:
      k = 2.0f;
      return true;
    case Graze:
      k = 1.1f;
      return true;
    default:
      return false;
  }
}

#include "particles/Particle.h"

#include <cmath>
#include <cstring>

#include "core/FloatMath.h"
#include "particles/ColorCurve.h"
#include "particles/SizeCurve.h"

Vec3 Particle::orbitPosition() const {
  // The radius test is made against the double 1e-6, the direction test below against the float.
  if (std::fabs(static_cast<double>(orbitRadius)) <= 1e-6) {
    return position;
  }
  if (std::memcmp(&turnAngle_, &orbitAngle, sizeof orbitAngle) != 0) {
    turnAngle_ = orbitAngle;
    turnSin_ = floatSin(orbitAngle);
    turnCos_ = floatCos(orbitAngle);
  }
  const float rs = orbitRadius * turnSin_;
  const float rc = orbitRadius * turnCos_;
  static const Vec3 up(0.0f, 1.0f, 0.0f);
  const Vec3 d = velocity / floatSqrt(Vec3::lengthSquared(velocity));
  const Vec3 diff = d - up;
  const float threshold = 1e-6f;
  // A NaN component (velocity zero) is not greater, so a resting particle takes the vertical case.
  if (std::fabs(diff.x) > threshold || std::fabs(diff.y) > threshold || std::fabs(diff.z) > threshold) {
    const Vec3 w(d.z * up.y - d.y * up.z, d.x * up.z - d.z * up.x, d.y * up.x - d.x * up.y);
    const Vec3 e = Vec3::cross(d, w);
    return position + w * rs + e * rc;
  }
  return position + Vec3(-rs, 0.0f, rc);
}

// In double precision, stored as float: 100 percent must be exactly 100 for the curve index.
float Particle::lifePercent() const {
  const double elapsed = static_cast<double>(static_cast<int64_t>(lifeTotal) - lifeLeft);
  return static_cast<float>(elapsed * 100.0 / static_cast<double>(lifeTotal));
}

Color4 Particle::currentColor() const {
  if (colorCurve == nullptr) {
    return {1.0f, 1.0f, 1.0f, 1.0f};
  }
  return colorCurve->sample(lifePercent());
}

float Particle::currentSize() const {
  if (sizeCurve == nullptr) {
    return 0.5f;
  }
  return sizeCurve->sample(lifePercent());
}

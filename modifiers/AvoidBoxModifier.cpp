#include "modifiers/AvoidBoxModifier.h"

#include <algorithm>
#include <cmath>

#include "core/FloatMath.h"

namespace {

// The entry and exit distances of a ray along one axis; false when the ray misses the slab.
bool slab(float low, float high, float origin, float dir, float& enter, float& leave) {
  const float parallel = 1e-6f;
  if (std::fabs(dir) >= parallel) {
    const float t1 = (low - origin) / dir;
    const float t2 = (high - origin) / dir;
    // The smaller and the larger, written so that they compile to min and max, not a branch.
    enter = t1 > t2 ? t2 : t1;
    leave = t1 > t2 ? t1 : t2;
    return leave >= 0.0f;
  }
  // Parallel: a hit only from between the two faces, either face included.
  if (!(low <= origin) || origin > high) {
    return false;
  }
  const float big = 3.4028235e38f;
  enter = -big;
  leave = big;
  return true;
}

}  // namespace

Tag AvoidBoxModifier::tag() const { return kTag; }

void AvoidBoxModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("boxMin", boxMin);
  visitor.field("boxMax", boxMax);
  visitor.field("lookAhead", lookAhead);
}

bool AvoidBoxModifier::rayHit(const Vec3& origin, const Vec3& dir, float& t, Vec3& normal) const {
  const float p[3] = {origin.x, origin.y, origin.z};
  const float w[3] = {dir.x, dir.y, dir.z};
  const float low[3] = {boxMin.x, boxMin.y, boxMin.z};
  const float high[3] = {boxMax.x, boxMax.y, boxMax.z};
  float enter[3];
  float leave[3];
  for (int i = 0; i < 3; ++i) {
    if (!slab(low[i], high[i], p[i], w[i], enter[i], leave[i])) {
      return false;
    }
  }
  int a = 0;
  if (enter[0] > enter[1]) {
    a = enter[0] > enter[2] ? 0 : 2;
  } else {
    a = enter[1] > enter[2] ? 1 : 2;
  }
  const float tNear = enter[a];
  const float tFar = std::min(std::min(leave[0], leave[1]), leave[2]);
  if (tNear > tFar) {
    return false;
  }
  // Which way the entered face looks: where the ray reaches it compared with where it starts.
  const float l = floatSqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
  const float q = p[a] + tNear * (w[a] / l);
  float n[3] = {0.0f, 0.0f, 0.0f};
  n[a] = p[a] >= q ? 1.0f : -1.0f;
  normal = Vec3(n[0], n[1], n[2]);
  t = tNear;
  return true;
}

void AvoidBoxModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    const Heading heading = headingOf(particle->velocity);
    float t = 0.0f;
    Vec3 normal;
    if (!rayHit(particle->orbitPosition(), heading.dir, t, normal) || t > lookAhead) {
      continue;
    }
    const Vec3 m = normal * -1.0f;
    const Vec3 w1 = Vec3::cross(heading.dir, m);
    const Vec3 w2 = Vec3::cross(heading.dir, w1);
    particle->setVelocity(bend(heading, w2, 1.0f / (t * t)));
  }
}

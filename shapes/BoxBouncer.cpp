#include "shapes/BoxBouncer.h"

#include <cfloat>
#include <cmath>

#include "core/FloatMath.h"
#include "core/OpenGl.h"

Tag BoxBouncer::tag() const { return kTag; }

void BoxBouncer::visitFields(FieldVisitor& visitor) {
  visitor.field("boxMin", boxMin);
  visitor.field("boxMax", boxMax);
  visitor.field("restitution", restitution);
}

void BoxBouncer::collide(ParticleList& particles) {
  // The single-precision 1e-6, compared in double precision.
  const double kParallel = static_cast<double>(1e-6f);
  const float lows[3] = {boxMin.x, boxMin.y, boxMin.z};
  const float highs[3] = {boxMax.x, boxMax.y, boxMax.z};
  for (Particle* particle : particles) {
    const Vec3 p = particle->orbitPosition();
    const Vec3 v = particle->velocity;
    const float ps[3] = {p.x, p.y, p.z};
    const float vs[3] = {v.x, v.y, v.z};
    float tmin[3];
    float tmax[3];
    bool miss = false;
    for (int axis = 0; axis < 3 && !miss; ++axis) {
      const float pa = ps[axis];
      const float va = vs[axis];
      const float lo = lows[axis];
      const float hi = highs[axis];
      if (std::fabs(static_cast<double>(va)) < kParallel) {
        miss = pa < lo || pa > hi;
        tmin[axis] = -FLT_MAX;
        tmax[axis] = FLT_MAX;
      } else {
        const float t1 = (lo - pa) / va;
        const float t2 = (hi - pa) / va;
        tmin[axis] = t1 >= t2 ? t2 : t1;
        tmax[axis] = t1 >= t2 ? t1 : t2;
        miss = tmax[axis] < 0.0f;
      }
    }
    if (miss) {
      continue;
    }
    // Ties go to z before x and y, and to y before x.
    const int entry = (tmin[0] > tmin[1] && tmin[0] > tmin[2]) ? 0 : (tmin[1] > tmin[2] ? 1 : 2);
    const float t = tmin[entry];
    float exit = tmax[0];
    if (tmax[1] < exit) {
      exit = tmax[1];
    }
    if (tmax[2] < exit) {
      exit = tmax[2];
    }
    if (t > exit) {
      continue;
    }
    const Vec3 h = p + (v / floatSqrt(Vec3::lengthSquared(v))) * t;
    const float hs[3] = {h.x, h.y, h.z};
    float ns[3] = {0.0f, 0.0f, 0.0f};
    ns[entry] = ps[entry] >= hs[entry] ? 1.0f : -1.0f;
    const Vec3 normal(ns[0], ns[1], ns[2]);
    // The entry may lie up to one velocity length behind p as well: a particle that slipped past
    // a face during the last step is still turned round, one deeper inside is left alone.
    if (std::fabs(t) > 1.0f) {
      continue;
    }
    particle->setVelocity(reflect(v, normal, 2.0f, restitution));
  }
}

void BoxBouncer::draw() {
  const float x0 = boxMin.x, y0 = boxMin.y, z0 = boxMin.z;
  const float x1 = boxMax.x, y1 = boxMax.y, z1 = boxMax.z;
  const Vec3 vertices[24] = {
      {x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1},  // x = min
      {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1},  // x = max
      {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1},  // y = min
      {x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1},  // y = max
      {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0},  // z = min
      {x0, y0, z1}, {x0, y1, z1}, {x1, y1, z1}, {x1, y0, z1},  // z = max
  };
  drawPrimitive(GL_QUADS, vertices, 24);
}

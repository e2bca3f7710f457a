#include "modifiers/TubeModifier.h"

#include <cmath>

#include "core/FloatMath.h"

TubeModifier::TubeModifier() { derive(); }

Tag TubeModifier::tag() const { return kTag; }

void TubeModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("start", start);
  visitor.field("end", end);
  visitor.field("falloff", falloff);
}

void TubeModifier::derive() {
  axis = end - start;
  const float l = floatSqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  axisDir = axis / l;
  length = l;
}

void TubeModifier::apply(ParticleList& particles) {
  const float onAxis = 1e-6f;
  for (Particle* particle : particles) {
    const Vec3 d = particle->orbitPosition() - start;
    const float h = Vec3::dot(d, axisDir);
    if (!(h > 0.0f && h < length)) {
      continue;
    }
    const Vec3 w = Vec3::cross(axis, d);
    if (std::fabs(w.x) <= onAxis && std::fabs(w.y) <= onAxis && std::fabs(w.z) <= onAxis) {
      continue;
    }
    // length times the part of d perpendicular to the axis: the pull grows with length, and the
    // divisor below with the square of the distance from the axis.
    const Vec3 u = Vec3::cross(w, axisDir);
    const float s = Vec3::dot(u, d) * falloff + 1.0f;
    particle->setVelocity(particle->velocity - u / s);
  }
}

bool TubeModifier::isActive() const { return length >= 0.0001f; }

#include "modifiers/DampModifier.h"

DampModifier::DampModifier() { derive(); }

Tag DampModifier::tag() const { return kTag; }

void DampModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("factor", factor);
  visitor.field("minSpeed", minSpeed);
  visitor.field("maxSpeed", maxSpeed);
}

// The band is tested on squares, so a negative bound acts like its magnitude.
void DampModifier::derive() {
  minSpeedSq = minSpeed * minSpeed;
  maxSpeedSq = maxSpeed * maxSpeed;
}

void DampModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    const Vec3& v = particle->velocity;
    const float s2 = Vec3::lengthSquared(v);
    if (s2 > minSpeedSq && s2 < maxSpeedSq) {
      particle->setVelocity(v.x * factor.x, v.y * factor.y, v.z * factor.z);
    }
  }
}

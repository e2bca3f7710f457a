#include "modifiers/DampModifier.h"

DampModifier::DampModifier() {
  storeFields(factor, minSpeed, maxSpeed);
  derive();
}

Tag DampModifier::tag() const { return makeTag("MDMP"); }

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

#include "modifiers/GravityModifier.h"

GravityModifier::GravityModifier() {
  storeFields(strength, radius);
  derive();
}

Tag GravityModifier::tag() const { return makeTag("MGRV"); }

void GravityModifier::derive() { radiusSq = radius * radius; }

// The pairs are measured between base positions: every particle of a scene carries the same
// auxiliary vector, and the drawn positions would cost a sine and a cosine per visit.
void GravityModifier::apply(ParticleList& particles) {
  for (Particle* a : particles) {
    const Vec3 pa = a->position;
    // a's own velocity is changed only while it is the outer particle (b is never a), so it can
    // be summed in a local, in the same order, and stored once.
    Vec3 va = a->velocity;
    for (Particle* b : particles) {
      if (b == a) {
        continue;
      }
      const Vec3 d = b->position - pa;
      const float s2 = Vec3::lengthSquared(d);
      if (s2 < radiusSq) {
        const float k = strength / (s2 * s2 + 0.0001f);
        const Vec3 f = d * k;
        va = va + f;
        b->setVelocity(b->velocity - f);
      }
    }
    a->setVelocity(va);
  }
}

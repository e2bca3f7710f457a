#include "modifiers/SphereModifier.h"

#include "core/FloatMath.h"

Tag SphereModifier::tag() const { return kTag; }

void SphereModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("centre", centre);
  visitor.field("falloff", falloff);
}

void SphereModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    const Vec3 d = particle->orbitPosition() - centre;
    const float h = floatSqrt(Vec3::lengthSquared(d));
    // Against the double 1e-6, which lies between 1e-6f and the next float: 1e-6f does not pull.
    if (static_cast<double>(h) > 1e-6) {
      const Vec3 dn = d / h;
      const Vec3 a = dn / (h * falloff + 1.0f);
      particle->setVelocity(particle->velocity - a);
    }
  }
}

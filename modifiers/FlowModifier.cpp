#include "modifiers/FlowModifier.h"

#include "core/FloatMath.h"

FlowModifier::FlowModifier() { derive(); }

Tag FlowModifier::tag() const { return kTag; }

void FlowModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("centre", centre);
  visitor.field("radius", radius);
  visitor.field("inertia", inertia);
}

void FlowModifier::derive() {
  pull = 1.0f - inertia;
  radiusSq = radius * radius;
}

void FlowModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    const Vec3 d = centre - particle->orbitPosition();
    const float d2 = Vec3::lengthSquared(d);
    if (d2 > radiusSq) {
      const Heading heading = headingOf(particle->velocity);
      const Vec3 dn = d / floatSqrt(d2);
      const Vec3 n = Vec3::normalized(heading.dir + dn * pull);
      particle->setVelocity(n * heading.speed);
    }
  }
}

#include "modifiers/AvoidSphereModifier.h"

#include "core/FloatMath.h"

AvoidSphereModifier::AvoidSphereModifier() { derive(); }

Tag AvoidSphereModifier::tag() const { return kTag; }

void AvoidSphereModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("centre", centre);
  visitor.field("radius", radius);
  visitor.field("lookAheadFactor", lookAheadFactor);
}

void AvoidSphereModifier::derive() { radiusSq = radius * radius; }

void AvoidSphereModifier::apply(ParticleList& particles) {
  const float tiny = 1e-6f;
  for (Particle* particle : particles) {
    const Heading heading = headingOf(particle->velocity);
    const Vec3 oc = centre - particle->orbitPosition();
    const float b = Vec3::dot(oc, heading.dir);
    const float e = radiusSq - Vec3::lengthSquared(oc) + b * b;
    if (!(e > tiny)) {
      continue;
    }
    const float t = b - floatSqrt(e);
    if (!(t > tiny && t <= heading.speed * lookAheadFactor)) {
      continue;
    }
    // dir x (dir x oc) is minus the part of oc across the ray: sideways, away from the centre.
    const Vec3 w1 = Vec3::cross(heading.dir, oc);
    const Vec3 w2 = Vec3::cross(heading.dir, w1);
    const Vec3 w3 = w2 / floatSqrt(Vec3::lengthSquared(w2));
    particle->setVelocity(bend(heading, w3, 1.0f / (t * t + tiny)));
  }
}

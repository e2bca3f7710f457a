#include "shapes/SphereBouncer.h"

Tag SphereBouncer::tag() const { return kTag; }

void SphereBouncer::visitFields(FieldVisitor& visitor) {
  visitor.field("centre", centre);
  visitor.field("radius", radius);
  visitor.field("loss", loss);
  visitor.field("bounceMode", bounceMode);
}

void SphereBouncer::derive() {
  radiusSq = radius * radius;
  restitution = 1.0f - loss;
}

void SphereBouncer::collide(ParticleList& particles) {
  float k;
  if (!reflectionFactor(bounceMode, k)) {
    return;
  }
  for (Particle* particle : particles) {
    const Vec3 p = particle->orbitPosition();
    const Vec3 n = p + particle->velocity * particle->stepScale;
    const Vec3 toCentre = centre - n;
    // A predicted position exactly on the surface is outside.
    if (Vec3::lengthSquared(toCentre) >= radiusSq) {
      continue;
    }
    particle->setVelocity(reflect(n - p, Vec3::normalized(toCentre), k, restitution));
  }
}

void SphereBouncer::draw() {}

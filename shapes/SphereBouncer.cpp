#include "shapes/SphereBouncer.h"

Tag SphereBouncer::tag() const { return makeTag("BSPH"); }

void SphereBouncer::read(Stream& stream) {
  Bouncer::read(stream);
  readFields(stream, centre_, radius_, loss_, bounceMode_);
  radiusSq_ = radius_ * radius_;
  restitution_ = 1.0f - loss_;
}

void SphereBouncer::write(Stream& stream) const {
  Bouncer::write(stream);
  writeFields(stream, centre_, radius_, loss_, bounceMode_);
}

void SphereBouncer::collide(ParticleList& particles) {
  float k;
  if (!reflectionFactor(bounceMode_, k)) {
    return;
  }
  for (Particle* particle : particles) {
    const Vec3 p = particle->orbitPosition();
    const Vec3 n = p + particle->velocity * particle->stepScale;
    const Vec3 toCentre = centre_ - n;
    // A predicted position exactly on the surface is outside.
    if (Vec3::lengthSquared(toCentre) >= radiusSq_) {
      continue;
    }
    particle->setVelocity(reflect(n - p, Vec3::normalized(toCentre), k, restitution_));
  }
}

void SphereBouncer::draw() {}

#include "modifiers/ExplosionModifier.h"

#include "core/FloatMath.h"

// The starting strength is the pull of the sphere attractor at its centre, one unit of velocity
// per step, so the two read on one scale. A particle d units from the centre gains about
// 2 / (d + 1) units per step in all with the default decay 0.5 (1/1.5 + 1/1.5^2 + ... = 2):
// the first particles leave an emitter at the centre at one to two units a step, which in a
// scene viewed from 60 units away is a clear burst that stays on screen, and the explosion dies
// out after 22 steps (1.5^-23 < 0.0001). Much larger values fling the particles out of view
// within a few frames; much smaller ones vanish in the emitter's own spread.
Tag ExplosionModifier::tag() const { return kTag; }

void ExplosionModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("centre", centre);
  visitor.field("decay", decay);
}

void ExplosionModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    const Vec3 d = centre - particle->position;
    const float len = floatSqrt(Vec3::lengthSquared(d));
    // The tiny offset makes a particle exactly on the centre get no push rather than a NaN.
    const Vec3 dn = d / (len + 0.00001f);
    const float k = strength / (len + 1.0f);
    particle->setVelocity(particle->velocity - dn * k);
  }
}

void ExplosionModifier::advance() { strength = strength / (decay + 1.0f); }

bool ExplosionModifier::isActive() const { return strength >= 0.0001f; }

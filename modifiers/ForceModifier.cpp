#include "modifiers/ForceModifier.h"

#include <cmath>

Tag ForceModifier::tag() const { return kTag; }

void ForceModifier::visitFields(FieldVisitor& visitor) { visitor.field("force", force); }

void ForceModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    particle->setVelocity(particle->velocity + force);
  }
}

bool ForceModifier::isActive() const {
  const float threshold = 1e-6f;
  return std::fabs(force.x) > threshold || std::fabs(force.y) > threshold || std::fabs(force.z) > threshold;
}

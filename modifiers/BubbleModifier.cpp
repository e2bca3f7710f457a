#include "modifiers/BubbleModifier.h"

#include <cstdint>

#include "core/Random.h"

Tag BubbleModifier::tag() const { return kTag; }

void BubbleModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("radius", radius);
  visitor.field("angleStep", angleStep);
  visitor.field("angleJitter", angleJitter);
}

void BubbleModifier::apply(ParticleList& particles) {
  for (Particle* particle : particles) {
    // The random part lies in (-angleJitter, angleJitter].
    const int32_t r = Random::randRaw();
    particle->orbitAngle =
        static_cast<float>(16384 - r) * angleJitter * (1.0f / 16384.0f) + angleStep + particle->orbitAngle;
    particle->orbitRadius = radius;
  }
}

bool BubbleModifier::isActive() const { return radius >= 1e-6f; }

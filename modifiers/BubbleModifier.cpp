#include "modifiers/BubbleModifier.h"

#include <cstdint>

#include "core/Random.h"

BubbleModifier::BubbleModifier() { storeFields(radius, angleStep, angleJitter); }

Tag BubbleModifier::tag() const { return makeTag("MBUB"); }

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

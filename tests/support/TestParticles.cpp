#include "support/TestParticles.h"

TestParticles::~TestParticles() {
  for (Particle* particle : list) {
    delete particle;
  }
}

Particle& TestParticles::add(const Vec3& position, const Vec3& velocity, float stepScale) {
  Particle* particle = new Particle;
  particle->position = position;
  particle->velocity = velocity;
  particle->stepScale = stepScale;
  list.push_back(particle);
  return *particle;
}

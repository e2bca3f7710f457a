#include "ModifierTesting.h"

#include <cstring>

TestParticles::~TestParticles() {
  for (Particle* particle : list) {
    delete particle;
  }
}

Particle& TestParticles::add(const Vec3& position, const Vec3& velocity) {
  Particle* particle = new Particle;
  particle->position = position;
  particle->velocity = velocity;
  list.push_back(particle);
  return *particle;
}

std::vector<uint8_t> writtenBytes(const Modifier& modifier) {
  MemoryStream stream;
  PsfObject::writeChild(stream, &modifier);
  return stream.bytes();
}

void expectVec(const Vec3& actual, const Vec3& expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
}

void expectSameBits(const Vec3& actual, const Vec3& expected) {
  EXPECT_EQ(std::memcmp(&actual, &expected, sizeof(Vec3)), 0)
      << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") against (" << expected.x << ", "
      << expected.y << ", " << expected.z << ")";
}

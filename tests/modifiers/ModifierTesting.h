#pragma once
// What the modifier tests share: particles made and freed by the test, and modifiers read and
// written through bytes as a scene file holds them.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "modifiers/Modifier.h"
#include "objfile/MemoryStream.h"
#include "particles/Particle.h"
#include "scene/ObjectFactory.h"

// A particle list that owns its particles, as the particle system does.
class TestParticles {
 public:
  TestParticles() = default;
  TestParticles(const TestParticles&) = delete;
  TestParticles& operator=(const TestParticles&) = delete;
  ~TestParticles();

  Particle& add(const Vec3& position, const Vec3& velocity);

  ParticleList list;
};

// The tag and body a modifier writes, as a scene file holds it.
std::vector<uint8_t> writtenBytes(const Modifier& modifier);

// Reads a modifier as a scene load does (tag, then body, through the factory) and expects it to
// be a T; null if it is not.
template <class T>
std::unique_ptr<T> readAs(const std::vector<uint8_t>& bytes) {
  MemoryStream stream(bytes);
  std::unique_ptr<Modifier> modifier(ObjectFactory::instance().readChild<Modifier>(stream));
  T* typed = dynamic_cast<T*>(modifier.get());
  EXPECT_NE(typed, nullptr);
  EXPECT_EQ(stream.tell(), static_cast<int>(bytes.size())) << "the body was not read to its end";
  if (typed == nullptr) {
    return nullptr;
  }
  modifier.release();
  return std::unique_ptr<T>(typed);
}

// Writes a modifier and reads it back into a fresh one, expecting the same bytes when that one
// is written again.
template <class T>
std::unique_ptr<T> roundTrip(const T& modifier) {
  const std::vector<uint8_t> bytes = writtenBytes(modifier);
  std::unique_ptr<T> copy = readAs<T>(bytes);
  if (copy != nullptr) {
    EXPECT_EQ(writtenBytes(*copy), bytes);
  }
  return copy;
}

// Component by component, a few ulps apart.
void expectVec(const Vec3& actual, const Vec3& expected);
// Component by component, the same bits (NaNs of the same pattern included).
void expectSameBits(const Vec3& actual, const Vec3& expected);

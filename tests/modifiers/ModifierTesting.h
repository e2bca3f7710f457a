#pragma once
// What the modifier tests share: modifiers read and written through bytes as a scene file holds
// them, besides the particles and expectations of support/.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "modifiers/Modifier.h"
#include "objfile/MemoryStream.h"
#include "particles/Particle.h"
#include "scene/ObjectFactory.h"
#include "support/SceneBytes.h"
#include "support/TestParticles.h"
#include "support/VectorExpectations.h"

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
  const std::vector<uint8_t> bytes = writtenChild(modifier);
  std::unique_ptr<T> copy = readAs<T>(bytes);
  if (copy != nullptr) {
    EXPECT_EQ(writtenChild(*copy), bytes);
  }
  return copy;
}

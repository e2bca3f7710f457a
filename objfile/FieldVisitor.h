#pragma once
// Walks a stored object's fields by name in file order. A class lists its fields once, to a
// visitor; reading, writing and the text format's schema are each a visitor over that one list, so
// they cannot drift apart.

#include <cstddef>
#include <cstdint>

#include "core/Vec3.h"

class FieldVisitor {
 public:
  virtual ~FieldVisitor() = default;

  virtual void field(const char* name, float& value) = 0;
  virtual void field(const char* name, int32_t& value) = 0;
  // x, y, z.
  virtual void field(const char* name, Vec3& value) = 0;
  // `count` Vec3s in a row (corners, vertices).
  virtual void field(const char* name, Vec3* values, int count) = 0;

  template <std::size_t N>
  void field(const char* name, Vec3 (&values)[N]) {
    field(name, values, static_cast<int>(N));
  }
};

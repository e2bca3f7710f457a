#include "support/VectorExpectations.h"

#include <gtest/gtest.h>

#include <cstring>

void expectVec(const Vec3& actual, const Vec3& expected) {
  EXPECT_FLOAT_EQ(actual.x, expected.x);
  EXPECT_FLOAT_EQ(actual.y, expected.y);
  EXPECT_FLOAT_EQ(actual.z, expected.z);
}

void expectPlane(const Plane& plane, const Vec3& normal, float offset) {
  expectVec(plane.normal, normal);
  EXPECT_FLOAT_EQ(plane.offset, offset);
}

void expectSameBits(const Vec3& actual, const Vec3& expected) {
  EXPECT_EQ(std::memcmp(&actual, &expected, sizeof(Vec3)), 0)
      << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not (" << expected.x << ", " << expected.y
      << ", " << expected.z << ")";
}

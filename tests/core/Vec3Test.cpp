#include "core/Vec3.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Vec3Test, CrossOfXAndYIsZ) {
  const Vec3 z = Vec3::cross({1, 0, 0}, {0, 1, 0});
  EXPECT_EQ(z.x, 0.0f);
  EXPECT_EQ(z.y, 0.0f);
  EXPECT_EQ(z.z, 1.0f);
}

TEST(Vec3Test, CrossFollowsTheWrittenOrderOfTerms) {
  const Vec3 c = Vec3::cross({1, 2, 3}, {4, 5, 6});
  EXPECT_EQ(c.x, 2.0f * 6 - 5 * 3);
  EXPECT_EQ(c.y, 3.0f * 4 - 6 * 1);
  EXPECT_EQ(c.z, 1.0f * 5 - 4 * 2);
}

TEST(Vec3Test, NormalizingZeroGivesNanWithoutAnException) {
  const Vec3 n = Vec3::normalized({0, 0, 0});
  EXPECT_TRUE(std::isnan(n.x));
  EXPECT_TRUE(std::isnan(n.y));
  EXPECT_TRUE(std::isnan(n.z));
}

TEST(Vec3Test, NormalizedDividesByTheLength) {
  const Vec3 n = Vec3::normalized({3, 0, 4});
  EXPECT_FLOAT_EQ(n.x, 0.6f);
  EXPECT_EQ(n.y, 0.0f);
  EXPECT_FLOAT_EQ(n.z, 0.8f);
}

TEST(Vec3Test, ArithmeticAndDot) {
  const Vec3 a{1, 2, 3};
  const Vec3 b{4, 5, 6};
  const Vec3 sum = a + b;
  const Vec3 difference = b - a;
  const Vec3 half = b / 2.0f;
  EXPECT_EQ(sum.z, 9.0f);
  EXPECT_EQ(difference.x, 3.0f);
  EXPECT_EQ(half.y, 2.5f);
  EXPECT_EQ(Vec3::dot(a, b), 32.0f);
  EXPECT_EQ(Vec3::lengthSquared(a), 14.0f);
  Vec3 c = b;
  Vec3::divideInPlace(c, 4.0f);
  EXPECT_EQ(c.z, 1.5f);
}

#include "core/String.h"

#include <gtest/gtest.h>

TEST(StringTest, NoTextHasNoBufferButTheEmptyTextHasCapacityEight) {
  String none;
  EXPECT_EQ(none.c_str(), nullptr);
  EXPECT_EQ(none.length(), 0u);
  EXPECT_EQ(none.capacity(), 0u);

  String empty("");
  ASSERT_NE(empty.c_str(), nullptr);
  EXPECT_STREQ(empty.c_str(), "");
  EXPECT_EQ(empty.capacity(), 8u);
}

TEST(StringTest, ConstructionKeepsEightCharactersOfSlack) {
  String s("hello");
  EXPECT_STREQ(s.c_str(), "hello");
  EXPECT_EQ(s.length(), 5u);
  EXPECT_EQ(s.capacity(), 13u);
}

TEST(StringTest, ReserveCutsWithoutReallocatingWhileSlackIsAtMostEight) {
  String s("hello");  // capacity 13
  const char* before = s.c_str();
  s.reserve(5);  // 5 + 8 < 13 does not hold
  EXPECT_EQ(s.c_str(), before);
  s.reserve(2);  // 2 + 8 < 13: reallocate to 10
  EXPECT_NE(s.c_str(), before);
  EXPECT_EQ(s.capacity(), 10u);
  EXPECT_EQ(s.length(), 2u);
  EXPECT_STREQ(s.c_str(), "he");
}

TEST(StringTest, ReserveTwoOnCapacityTenKeepsTheBuffer) {
  String s("hello");
  s.reserve(2);  // capacity 10 now
  s.append('l');
  s.append('l');
  s.append('o');
  const char* before = s.c_str();
  s.reserve(2);  // 2 + 8 < 10 does not hold
  EXPECT_EQ(s.c_str(), before);
  EXPECT_EQ(s.capacity(), 10u);
  EXPECT_STREQ(s.c_str(), "he");
}

TEST(StringTest, ReserveNeverLengthens) {
  String s("ab");
  s.reserve(40);
  EXPECT_EQ(s.length(), 2u);
  EXPECT_EQ(s.capacity(), 48u);
  EXPECT_STREQ(s.c_str(), "ab");
}

TEST(StringTest, AppendGrowsToTheNewLengthPlusEightWhenCapacityIsPassed) {
  String s("");
  std::vector<uint32_t> capacities;
  for (int i = 0; i < 20; ++i) {
    s.append(static_cast<char>('a' + i));
    capacities.push_back(s.capacity());
  }
  // Lengths 1..8 fit in 8; length 9 reallocates to 17; length 18 to 26.
  for (int i = 0; i < 8; ++i) EXPECT_EQ(capacities[i], 8u) << i;
  for (int i = 8; i < 17; ++i) EXPECT_EQ(capacities[i], 17u) << i;
  for (int i = 17; i < 20; ++i) EXPECT_EQ(capacities[i], 26u) << i;
  EXPECT_STREQ(s.c_str(), "abcdefghijklmnopqrst");
}

TEST(StringTest, AppendIgnoresNul) {
  String s("ab");
  s.append('\0');
  EXPECT_EQ(s.length(), 2u);
  EXPECT_STREQ(s.c_str(), "ab");
}

TEST(StringTest, CopiesOwnSeparateBuffers) {
  String original("scene.psf");
  String copy(original);
  EXPECT_NE(copy.c_str(), original.c_str());
  EXPECT_STREQ(copy.c_str(), "scene.psf");
  EXPECT_EQ(copy.capacity(), 17u);

  String assigned("a much longer text than that");
  assigned = original;
  EXPECT_STREQ(assigned.c_str(), "scene.psf");
  EXPECT_EQ(assigned.length(), 9u);
  EXPECT_NE(assigned.c_str(), original.c_str());

  assigned = assigned;
  EXPECT_STREQ(assigned.c_str(), "scene.psf");
}

TEST(StringTest, CopyOfNoTextHasNoBuffer) {
  String none;
  String copy(none);
  EXPECT_EQ(copy.c_str(), nullptr);
  String assigned("x");
  assigned = none;
  EXPECT_EQ(assigned.length(), 0u);
  EXPECT_STREQ(assigned.c_str(), "");
}

#include "core/ObjectRegistry.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/RegisteredObject.h"

namespace {

class Recorded : public RegisteredObject {
 public:
  Recorded(int id, std::vector<int>& log) : id_(id), log_(log) {}
  ~Recorded() override { log_.push_back(id_); }

 private:
  int id_;
  std::vector<int>& log_;
};

class ObjectRegistryTest : public testing::Test {
 protected:
  void SetUp() override { ObjectRegistry::instance().destroyAll(); }
  void TearDown() override { ObjectRegistry::instance().destroyAll(); }

  // Outlives every object the fixture's tear-down may still destroy.
  std::vector<int> log;
};

}  // namespace

TEST_F(ObjectRegistryTest, DestroyAllOnEmptyDoesNothing) {
  ObjectRegistry::instance().destroyAll();
  EXPECT_EQ(ObjectRegistry::instance().size(), 0u);
}

TEST_F(ObjectRegistryTest, ConstructionAddsAtTheFront) {
  auto* first = new Recorded(1, log);
  auto* second = new Recorded(2, log);
  ASSERT_EQ(ObjectRegistry::instance().size(), 2u);
  EXPECT_EQ(ObjectRegistry::instance().objects().front(), second);
  EXPECT_EQ(ObjectRegistry::instance().objects().back(), first);
}

TEST_F(ObjectRegistryTest, DestroyAllDestroysNewestFirst) {
  for (int id = 1; id <= 4; ++id) new Recorded(id, log);
  ObjectRegistry::instance().destroyAll();
  EXPECT_EQ(log, (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(ObjectRegistry::instance().size(), 0u);
}

TEST_F(ObjectRegistryTest, ObjectDestroyedEarlyIsNotDestroyedAgain) {
  new Recorded(1, log);
  auto* replaced = new Recorded(2, log);
  new Recorded(3, log);
  delete replaced;
  EXPECT_EQ(ObjectRegistry::instance().size(), 2u);
  ObjectRegistry::instance().destroyAll();
  EXPECT_EQ(log, (std::vector<int>{2, 3, 1}));
}

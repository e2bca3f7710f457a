#include "view/SceneTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/Random.h"

TEST(SceneTableTest, EightRowsWithWaterfallTwice) {
  const char* const kNames[kSceneCount] = {"tube.psf", "fountain.psf", "swarm.psf",     "melt.psf",
                                           "waterfall.psf", "rain.psf", "waterfall.psf", "snow.psf"};
  for (int i = 0; i < kSceneCount; ++i) {
    EXPECT_STREQ(kSceneFiles[i].file.c_str(), kNames[i]) << i;
  }
}

TEST(SceneTableTest, EachRowHasItsCameraAndFade) {
  const bool kOrbits[kSceneCount] = {true, false, true, true, false, false, false, false};
  const float kFades[kSceneCount] = {0.3f, 0.3f, 0.3f, 0.7f, 0.15f, 0.3f, 0.15f, 1.0f};
  for (int i = 0; i < kSceneCount; ++i) {
    EXPECT_EQ(kSceneFiles[i].cameraOrbits, kOrbits[i]) << i;
    // The nearest single-precision values, exactly.
    EXPECT_EQ(kSceneFiles[i].fadeAlpha, kFades[i]) << i;
  }
}

TEST(SceneTableTest, RawDrawModuloEightPicksTheRow) {
  EXPECT_EQ(SceneTable::indexFor(12), 4);
  EXPECT_EQ(SceneTable::indexFor(7), 7);
  EXPECT_EQ(SceneTable::indexFor(32767), 7);
  EXPECT_EQ(SceneTable::indexFor(0), 0);
  EXPECT_EQ(SceneTable::indexFor(8), 0);
}

TEST(SceneTableTest, ChoosingDrawsExactlyOneValue) {
  Random::seed(1234);
  const int32_t raw = Random::randRaw();
  const uint32_t afterOne = Random::state();
  Random::seed(1234);
  const SceneEntry& entry = SceneTable::choose();
  EXPECT_EQ(&entry, &kSceneFiles[raw % 8]);
  EXPECT_EQ(Random::state(), afterOne);
}

TEST(SceneTableTest, TheSameSecondChoosesTheSameScene) {
  Random::seed(1700000000u);
  const SceneEntry* first = &SceneTable::choose();
  Random::seed(1700000000u);
  EXPECT_EQ(&SceneTable::choose(), first);
}

TEST(SceneTableTest, NamesAreTheFilesOnceEachInTableOrder) {
  EXPECT_EQ(SceneTable::names(),
            (std::vector<std::string>{"tube", "fountain", "swarm", "melt", "waterfall", "rain", "snow"}));
}

TEST(SceneTableTest, FindGivesTheFirstRowOfAFileName) {
  EXPECT_EQ(SceneTable::find("tube.psf"), &kSceneFiles[0]);
  EXPECT_EQ(SceneTable::find("waterfall.psf"), &kSceneFiles[4]);
  EXPECT_EQ(SceneTable::find("snow.psf"), &kSceneFiles[7]);
  for (const char* other : {"", "tube", "Tube.psf", "tube.psf ", "dir/tube.psf", "lava.psf"}) {
    EXPECT_EQ(SceneTable::find(other), nullptr) << other;
  }
}

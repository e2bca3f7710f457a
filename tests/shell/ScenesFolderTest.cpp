#include "shell/ScenesFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// An installation under a prefix, as cmake --install or the package lays it out.
struct Installation {
  explicit Installation(const TempDir& dir) : prefix(dir.path("usr")) {}
  std::string hack() const { return (fs::path(prefix) / OSTREL_HACK_INSTALL_DIR / "ostrel").string(); }
  std::string scenes() const { return (fs::path(prefix) / OSTREL_SCENES_INSTALL_DIR).string(); }
  std::string prefix;
};

}  // namespace

TEST(ScenesFolderTest, TheBuiltProgramFindsTheBuiltScenes) {
  EXPECT_EQ(fs::path(ScenesFolder::defaultFor(OSTREL_BUILT_HACK)), fs::path(OSTREL_SCENE_OUTPUT_DIR));
}

TEST(ScenesFolderTest, AnInstalledProgramFindsItsOwnInstallationsScenes) {
  const TempDir dir;
  const Installation installed(dir);
  fs::create_directories(installed.scenes());
  EXPECT_EQ(fs::path(ScenesFolder::defaultFor(installed.hack())), fs::path(installed.scenes()));
}

TEST(ScenesFolderTest, WithoutScenesAnywhereTheInstalledFolderIsNamed) {
  const TempDir dir;
  const Installation installed(dir);
  EXPECT_EQ(fs::path(ScenesFolder::defaultFor(installed.hack())), fs::path(installed.scenes()));
}

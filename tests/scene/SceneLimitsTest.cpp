// A scene at every limit a file may reach at once: the particle limit, 256 shapes and modifiers, the finest
// curves with the most keys, an image name of the longest stored length. It loads through the
// gzip stream as the screensaver loads it and writes back byte for byte; one step beyond any
// limit is refused with its code (each limit's own tests show which).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/ObjectRegistry.h"
#include "objfile/StringIo.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "support/ImageBytes.h"
#include "support/SceneBytes.h"
#include "support/TempDir.h"
#include "tools/headless/EglContext.h"

namespace fs = std::filesystem;

namespace {

// A relative name of exactly kMaxStoredStringLength characters: folders of 200, then the file.
std::string longestName() {
  std::string name;
  while (name.size() + 201 < kMaxStoredStringLength) {
    name += std::string(199, 'd') + "/";
  }
  return name + std::string(kMaxStoredStringLength - name.size() - 4, 's') + ".bmp";
}

TEST(SceneLimitsTest, ASceneAtEveryLimitLoadsAndWritesBackUnchanged) {
  TempDir dir;
  EglContext context(1, 1);
  const std::string name = longestName();
  ASSERT_EQ(name.size(), kMaxStoredStringLength);
  fs::create_directories(fs::path(dir.path(name)).parent_path());
  BmpFile picture;
  picture.width = 2;
  picture.height = 2;
  picture.pixels.assign(16, 200);
  dir.write(name, picture.bytes());

  SystemBody body = systemAtTheLimits();
  ASSERT_EQ(body.limit, ParticleSystem::kMaxParticles);
  ASSERT_EQ(body.shapeCount, ParticleSystem::kMaxShapes);
  ASSERT_EQ(body.modifierCount, ParticleSystem::kMaxModifiers);
  body.image = imageChild("IBMP", name.c_str());
  const std::vector<uint8_t> file = sceneFile(body.bytes()).data();

  const fs::path previous = fs::current_path();
  fs::current_path(dir.path(""));
  PsfObject* root = SceneLoader::instance().load(dir.writeGz("limits.psf", file).c_str(), true);
  fs::current_path(previous);
  auto* system = dynamic_cast<ParticleSystem*>(root);
  ASSERT_NE(system, nullptr);
  EXPECT_EQ(system->shapes().size(), static_cast<size_t>(ParticleSystem::kMaxShapes));
  EXPECT_EQ(system->modifiers().size(), static_cast<size_t>(ParticleSystem::kMaxModifiers));
  EXPECT_NE(system->texture(), 0u);

  EXPECT_EQ(writtenScene(root), file);
  ObjectRegistry::instance().destroyAll();
}

}  // namespace

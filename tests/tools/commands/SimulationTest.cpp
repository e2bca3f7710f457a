#include "tools/commands/Simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/ObjectRegistry.h"
#include "core/vtException.h"
#include "modifiers/Modifier.h"
#include "objfile/MemoryStream.h"
#include "scene/ParticleSystem.h"
#include "support/SceneBytes.h"
#include "support/TempDir.h"
#include "tools/commands/LoadedScene.h"

namespace {

// On its third step, corrupts the second particle's life so that its colour lookup throws
// "Illegal Index" in the middle of that step's walk, after the first particle's row.
class CorruptingModifier : public Modifier {
 public:
  void apply(ParticleList& particles) override {
    if (++steps_ == 3) {
      Particle* second = *std::next(particles.begin());
      second->lifeLeft = second->lifeTotal + 5;
    }
  }

 private:
  int steps_ = 0;
};

std::string readAll(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, got);
  }
  return text;
}

class SimulationTest : public testing::Test {
 protected:
  void TearDown() override { ObjectRegistry::instance().destroyAll(); }
};

}  // namespace

TEST_F(SimulationTest, AnExceptionKeepsTheRowsOfTheCompletedStepsOnly) {
  // A colour curve, so that a life outside its range is looked up and refused.
  const Bytes curves = Bytes().i32(10).i32(1).f32(1).f32(1).f32(1).f32(1).i32(0).i32(1).i32(0);
  auto* system = new ParticleSystem;
  MemoryStream stream(systemBody(10, emitterChild(1, 10, curves)).data());
  system->read(stream);
  system->modifiers().push_back(new CorruptingModifier);

  std::FILE* dump = std::tmpfile();
  ASSERT_NE(dump, nullptr);
  SimulationOptions options;
  options.seed = 1;
  options.steps = 5;
  options.dumpEvery = 1;
  try {
    simulate(*system, options, dump);
    ADD_FAILURE() << "no exception";
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::IllegalIndex);
  }
  const std::string rows = readAll(dump);
  std::fclose(dump);
  // Header, one row after step 1, two after step 2, none of step 3.
  EXPECT_EQ(rows.rfind(kSimulationHeader, 0), 0u);
  EXPECT_NE(rows.find("\n1,0,"), std::string::npos);
  EXPECT_NE(rows.find("\n2,1,"), std::string::npos);
  EXPECT_EQ(rows.find("\n3,"), std::string::npos);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 4);
}

TEST_F(SimulationTest, WithoutADumpTheStepsStillRun) {
  auto* system = new ParticleSystem;
  MemoryStream stream(systemBody(100, emitterChild(7, 3)).data());
  system->read(stream);
  SimulationOptions options;
  options.steps = 4;
  simulate(*system, options, nullptr);
  // Life 3: the particles of steps 2, 3 and 4 are alive; those of step 1 were removed in step 4.
  EXPECT_EQ(system->particles().size(), 21u);
}

TEST(LoadedSceneTest, TheScenesFolderBecomesTheCurrentDirectory) {
  TempDir dir;
  const std::filesystem::path start = std::filesystem::current_path();
  std::filesystem::create_directories(dir.path("scenes"));
  dir.write("scenes/a.psf", sceneFile(systemBody(3, Bytes().u32(0))).data());
  {
    const LoadedScene scene(dir.path("scenes/a.psf"));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.path("scenes")));
    EXPECT_EQ(scene.system().maxParticles(), 3u);
  }
  // Every scene object went with the scene.
  EXPECT_EQ(ObjectRegistry::instance().size(), 0u);
  std::filesystem::current_path(start);
}

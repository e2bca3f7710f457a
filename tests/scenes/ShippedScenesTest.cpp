// The shipped scenes (scenes/shipped.txt) as the build compiled them beside their textures: each
// loads as the screensaver loads it, survives the text format both ways, keeps a living and
// bounded crowd, and together they use every class a scene can hold. The screensaver chooses
// only among them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/Random.h"
#include "images/Image.h"
#include "modifiers/Modifier.h"
#include "objfile/MemoryStream.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "shapes/Bouncer.h"
#include "support/ShippedScenes.h"
#include "tools/commands/LoadedScene.h"
#include "tools/textformat/SceneCompiler.h"
#include "tools/textformat/TagText.h"
#include "view/SceneTable.h"

namespace {

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<uint8_t> bytesOf(const std::string& path) {
  const std::string text = contents(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

bool isPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

bool isFinite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// A limit below the steady crowd: the emitter fills it, waits for the first particles to die and
// refills it as they do, so the particles come in waves one life apart.
bool fallsInWaves(const ParticleSystem& system) {
  const Emitter& emitter = *system.emitter();
  return system.maxParticles() < static_cast<uint64_t>(emitter.rate) * static_cast<uint64_t>(emitter.life);
}

}  // namespace

// A scene may ship without a row of its own (the table's eight rows stay as they are), but every
// row must open a scene that ships: a row without one ends the run with "File Not Found".
TEST(ShippedScenesTest, EveryRowOfTheScreensaversTableOpensAListedScene) {
  const std::vector<std::string> listed = ShippedScenes::names();
  ASSERT_FALSE(listed.empty());
  for (const SceneEntry& entry : kSceneFiles) {
    const std::string file = entry.file.c_str();
    const std::string name = file.substr(0, file.size() - 4);
    EXPECT_EQ(file, name + ".psf");
    EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << file << " is not in scenes/shipped.txt";
  }
}

TEST(ShippedScenesTest, EachLoadsAsTheScreensaverLoadsItWithItsTexture) {
  for (const std::string& name : ShippedScenes::names()) {
    SCOPED_TRACE(name);
    LoadedScene scene(ShippedScenes::compiledPath(name));
    const ParticleSystem& system = scene.system();
    ASSERT_NE(system.emitter(), nullptr);
    EXPECT_GT(system.emitter()->rate, 0);
    EXPECT_GT(system.emitter()->life, 0);
    EXPECT_GT(system.maxParticles(), 0u);
    ASSERT_NE(system.image(), nullptr);
    EXPECT_NE(system.texture(), 0u);
    EXPECT_TRUE(isPowerOfTwo(system.image()->width())) << system.image()->fileName().c_str();
    EXPECT_TRUE(isPowerOfTwo(system.image()->height())) << system.image()->fileName().c_str();
  }
}

TEST(ShippedScenesTest, DecompilingThenCompilingGivesTheSameBytes) {
  for (const std::string& name : ShippedScenes::names()) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> shipped = bytesOf(ShippedScenes::compiledPath(name));
    ASSERT_FALSE(shipped.empty());
    MemoryStream stream(shipped);
    const std::string text = SceneCompiler::decompile(stream);
    EXPECT_EQ(SceneCompiler::compile(text, name + ".toml"), shipped);
  }
}

TEST(ShippedScenesTest, EachShippedFileIsItsSourceCompiled) {
  for (const std::string& name : ShippedScenes::names()) {
    SCOPED_TRACE(name);
    const std::string source = ShippedScenes::sourcePath(name);
    EXPECT_EQ(SceneCompiler::compile(contents(source), source), bytesOf(ShippedScenes::compiledPath(name)));
  }
}

// A later edit of one scene must not silently drop the last user of a class.
TEST(ShippedScenesTest, TogetherTheyUseEveryEmitterShapeModifierDeflectorAndImageClass) {
  std::set<int32_t> emitterShapes;
  std::set<std::string> tags;
  for (const std::string& name : ShippedScenes::names()) {
    LoadedScene scene(ShippedScenes::compiledPath(name));
    ParticleSystem& system = scene.system();
    emitterShapes.insert(system.emitter()->shape);
    for (const Modifier* modifier : system.modifiers()) {
      tags.insert(tagText(modifier->tag()));
    }
    for (const Bouncer* shape : system.shapes()) {
      tags.insert(tagText(shape->tag()));
    }
    tags.insert(tagText(system.image()->tag()));
  }
  const auto shape = [](EmitterShape s) { return static_cast<int32_t>(s); };
  EXPECT_EQ(emitterShapes, (std::set<int32_t>{shape(EmitterShape::Point), shape(EmitterShape::Line),
                                               shape(EmitterShape::Parallelogram), shape(EmitterShape::Disc),
                                               shape(EmitterShape::Box), shape(EmitterShape::Ring)}));
  EXPECT_EQ(tags, (std::set<std::string>{// modifiers
                                         "MFRC", "MDMP", "MBUB", "MEXP", "MSPH", "MTUB", "MFLW", "MGRV", "MAVB",
                                         "MAVD", "MAVS",
                                         // deflector shapes
                                         "BBOX", "BRCT", "BTRI", "BSPH", "BCYL",
                                         // images: Targa sprites and at least one bitmap
                                         "ITGA", "IBMP"}));
}

// Run past one particle life, each scene whose limit leaves room for every step's new particles
// (a particle is still listed in the update after its last drawn step, so that needs
// rate * (life + 1)) reaches its steady crowd of rate * life particles and holds it: the emitter
// is never starved and nothing piles up against the limit; and every particle is drawn somewhere
// real. A scene may instead set its limit below rate * life, to fall in waves (the next test).
TEST(ShippedScenesTest, ASimulationReachesAndHoldsItsSteadyCrowd) {
  for (const std::string& name : ShippedScenes::names()) {
    SCOPED_TRACE(name);
    LoadedScene scene(ShippedScenes::compiledPath(name));
    ParticleSystem& system = scene.system();
    if (fallsInWaves(system)) {
      continue;
    }
    const Emitter& emitter = *system.emitter();
    const auto rate = static_cast<size_t>(emitter.rate);
    const int steps = emitter.life + 100;
    Random::seed(1);
    size_t notFinite = 0;
    for (int step = 1; step <= steps; ++step) {
      const size_t before = system.particles().size();
      system.update();
      ASSERT_EQ(system.particles().size() - before, rate) << "step " << step;
      system.walk([&](const Particle&, const Color4&, const Vec3& drawn, float) {
        notFinite += isFinite(drawn) ? 0 : 1;
      });
    }
    EXPECT_EQ(notFinite, 0u);
    EXPECT_EQ(system.particles().size(), rate * static_cast<size_t>(emitter.life));
  }
}

// A scene that falls in waves keeps falling in them: however long it runs, every stretch of a life
// holds steps that create particles and steps that wait, the crowd fills its limit without ever
// passing it, and every particle is drawn somewhere real.
TEST(ShippedScenesTest, ASceneWithALimitBelowItsCrowdFallsInWavesForAsLongAsItRuns) {
  int waved = 0;
  for (const std::string& name : ShippedScenes::names()) {
    SCOPED_TRACE(name);
    LoadedScene scene(ShippedScenes::compiledPath(name));
    ParticleSystem& system = scene.system();
    if (!fallsInWaves(system)) {
      continue;
    }
    ++waved;
    const int life = system.emitter()->life;
    const int steps = 10 * life;
    Random::seed(1);
    std::vector<bool> created;
    size_t most = 0;
    size_t notFinite = 0;
    for (int step = 1; step <= steps; ++step) {
      const size_t before = system.particles().size();
      system.update();
      created.push_back(system.particles().size() > before);
      most = std::max(most, system.particles().size());
      system.walk([&](const Particle&, const Color4&, const Vec3& drawn, float) {
        notFinite += isFinite(drawn) ? 0 : 1;
      });
    }
    EXPECT_EQ(most, system.maxParticles());
    EXPECT_EQ(notFinite, 0u);
    for (int start = life; start + life <= steps; ++start) {
      const auto first = created.begin() + start;
      const auto last = first + life;
      ASSERT_NE(std::find(first, last, true), last) << "no particle created in steps " << start + 1 << " to " << start + life;
      ASSERT_NE(std::find(first, last, false), last) << "particles created in every step from " << start + 1 << " to " << start + life;
    }
  }
  if (waved == 0) {
    GTEST_SKIP() << "no shipped scene falls in waves";
  }
}

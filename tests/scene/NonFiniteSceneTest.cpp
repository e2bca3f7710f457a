// Scenes whose every stored float is NaN, an infinity, zero (zero-length axes, zero velocities) or
// a huge number, in the emitter, every shape and every modifier, run for 100,000 steps as the screensaver runs
// them (update, then the particle walk of draw): nothing crashes or throws, the live count stays
// within the limit, and every particle is drawn exactly its life long and then removed.

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "objfile/MemoryStream.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "support/SceneBytes.h"

namespace {

constexpr uint32_t kLimit = 20;
constexpr int32_t kLife = 15;
constexpr int kSteps = 100000;

struct Degenerate {
  const char* name;
  float value;
  int32_t shape;
};

void PrintTo(const Degenerate& degenerate, std::ostream* out) { *out << degenerate.name; }

class NonFiniteSceneTest : public testing::TestWithParam<Degenerate> {
 protected:
  void TearDown() override { ObjectRegistry::instance().destroyAll(); }
};

TEST_P(NonFiniteSceneTest, RunsAHundredThousandStepsWhileParticlesAgeAndDie) {
  SystemBody body;
  body.limit = kLimit;
  body.emitter = emitterFilledWith(GetParam().value, GetParam().shape, 2, kLife);
  body.shapeCount = kShapeClassCount;
  body.shapes = everyShapeFilledWith(GetParam().value);
  body.modifierCount = kModifierClassCount;
  body.modifiers = everyModifierFilledWith(GetParam().value);
  MemoryStream stream(sceneFile(body.bytes()).data());
  auto* system = dynamic_cast<ParticleSystem*>(SceneLoader::instance().load(stream));
  ASSERT_NE(system, nullptr);
  ASSERT_EQ(system->shapes().size(), static_cast<size_t>(kShapeClassCount));
  ASSERT_EQ(system->modifiers().size(), static_cast<size_t>(kModifierClassCount));

  Random::seed(7);
  uint64_t born = 0;
  uint64_t drawn = 0;
  bool lifeInRange = true;
  const auto step = [&] {
    const size_t before = system->particles().size();
    system->update();
    born += system->particles().size() - before;
    ASSERT_LE(system->particles().size(), kLimit);
    system->walk([&](const Particle& particle, const Color4&, const Vec3&, float) {
      ++drawn;
      lifeInRange = lifeInRange && particle.lifeLeft >= 0 && particle.lifeLeft < particle.lifeTotal;
    });
  };
  for (int i = 0; i < kSteps; ++i) {
    step();
  }
  EXPECT_GT(born, static_cast<uint64_t>(kSteps / kLife));
  // Emission stops: within a life every particle has been drawn its last time and removed.
  system->emitter()->rate = 0;
  for (int i = 0; i <= kLife; ++i) {
    step();
  }
  EXPECT_TRUE(system->particles().empty());
  EXPECT_TRUE(lifeInRange);
  EXPECT_EQ(drawn, born * kLife);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

// Disc and ring normalise their axes in place, which a zero axis turns into NaN; the box and the
// line interpolate towards axisA; the point and an unknown shape start at the origin.
INSTANTIATE_TEST_SUITE_P(Values, NonFiniteSceneTest,
                         testing::Values(Degenerate{"NaNDisc", kNaN, 8}, Degenerate{"NaNBox", kNaN, 22},
                                         Degenerate{"InfinityRing", kInfinity, 50},
                                         Degenerate{"InfinityParallelogram", kInfinity, 4},
                                         Degenerate{"MinusInfinityLine", -kInfinity, 2},
                                         Degenerate{"MinusInfinityPoint", -kInfinity, 1},
                                         Degenerate{"ZeroDisc", 0.0f, 8}, Degenerate{"ZeroRing", 0.0f, 50},
                                         Degenerate{"HugeBox", 3e38f, 22}, Degenerate{"HugeUnknownShape", 3e38f, 9}),
                         [](const testing::TestParamInfo<Degenerate>& info) { return std::string(info.param.name); });

}  // namespace

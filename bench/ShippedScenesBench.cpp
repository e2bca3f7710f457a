// The shipped scenes (scenes/shipped.txt) in their steady state: particles per second of one
// simulation step (update, then the particle walk), and frames per second drawn offscreen at
// 640x480 through the screensaver's own frame code with the scene's camera and trails, as psftool
// render draws them.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/OpenGl.h"
#include "core/Random.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "support/ShippedScenes.h"
#include "tools/commands/LoadedScene.h"
#include "view/SceneTable.h"
#include "view/SceneView.h"

namespace {

// A scene outside the screensaver's table is drawn as psftool render draws it: orbiting, fade 0.25.
SceneEntry styleOf(const std::string& name) {
  const SceneEntry* entry = SceneTable::find(name + ".psf");
  return entry != nullptr ? *entry : SceneEntry{String((name + ".psf").c_str()), true, 0.25f};
}

// One particle life and then some: the crowd has reached its steady size.
int settlingSteps(const ParticleSystem& system) { return system.emitter()->life + 100; }

void sceneStep(benchmark::State& state, const std::string& name) {
  LoadedScene scene(ShippedScenes::compiledPath(name));
  ParticleSystem& system = scene.system();
  Random::seed(1);
  for (int i = settlingSteps(system); i > 0; --i) {
    system.update();
    system.walk([](const Particle&, const Color4&, const Vec3&, float) {});
  }
  size_t particles = 0;
  for (auto _ : state) {
    system.update();
    system.walk([](const Particle&, const Color4&, const Vec3& drawn, float) { benchmark::DoNotOptimize(drawn); });
    particles += system.particles().size();
  }
  state.SetItemsProcessed(static_cast<int64_t>(particles));
  state.counters["live"] = static_cast<double>(system.particles().size());
}

void sceneFrame(benchmark::State& state, const std::string& name) {
  constexpr int kWidth = 640;
  constexpr int kHeight = 480;
  LoadedScene scene(ShippedScenes::compiledPath(name), kWidth, kHeight);
  ParticleSystem& system = scene.system();
  Random::seed(1);
  SceneView::setUpState();
  SceneView::setViewport(kWidth, kHeight);
  SceneView view(styleOf(name).cameraOrbits, styleOf(name).fadeAlpha);
  for (int i = settlingSteps(system); i > 0; --i) {
    view.drawFrame(&system);
    view.advanceCamera();
  }
  glFinish();
  for (auto _ : state) {
    view.drawFrame(&system);
    view.advanceCamera();
    // The screensaver's buffer swap waits for the frame; so does the measurement.
    glFinish();
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["live"] = static_cast<double>(system.particles().size());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> names = ShippedScenes::names();
  for (const std::string& name : names) {
    benchmark::RegisterBenchmark(("sceneStep/" + name).c_str(), sceneStep, name)->Unit(benchmark::kMicrosecond);
  }
  for (const std::string& name : names) {
    benchmark::RegisterBenchmark(("sceneFrame/" + name).c_str(), sceneFrame, name)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

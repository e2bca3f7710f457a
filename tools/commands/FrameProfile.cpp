#include "tools/commands/FrameProfile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "core/OpenGl.h"
#include "core/Random.h"
#include "scene/ParticleSystem.h"
#include "tools/commands/LoadedScene.h"
#include "view/SceneView.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Seconds over all frames, the wall clock's.
struct FrameProfile {
  double total = 0.0;
  double simulation = 0.0;
  double walk = 0.0;
  size_t liveAtTheEnd = 0;
};

double secondsOf(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Each frame is drawFrame's fade and camera, then the step and the draw that drawFrame would call
// for the scene, so that the step can be timed apart. The frames are flushed and finished as
// render does.
void drawFrames(const FrameRun& run, FrameProfile& profile) {
  LoadedScene loaded(run.scene, run.width, run.height);
  ParticleSystem& system = loaded.system();
  Random::seed(run.seed);
  SceneView::setUpState();
  SceneView::setViewport(run.width, run.height);
  SceneView view(run.orbit, run.fade);
  Clock::duration stepping{};
  const Clock::time_point start = Clock::now();
  for (uint64_t frame = 1; frame <= run.frames; ++frame) {
    view.drawFrame(nullptr);
    const Clock::time_point stepStart = Clock::now();
    system.update();
    stepping += Clock::now() - stepStart;
    system.draw();
    glFlush();
    view.advanceCamera();
  }
  glFinish();
  profile.total = secondsOf(Clock::now() - start);
  profile.simulation = secondsOf(stepping);
  profile.liveAtTheEnd = system.particles().size();
}

void walkFrames(const FrameRun& run, FrameProfile& profile) {
  LoadedScene loaded(run.scene);
  ParticleSystem& system = loaded.system();
  Random::seed(run.seed);
  Clock::duration walking{};
  for (uint64_t frame = 1; frame <= run.frames; ++frame) {
    system.update();
    const Clock::time_point walkStart = Clock::now();
    system.walk([](const Particle&, const Color4&, const Vec3&, float) {});
    walking += Clock::now() - walkStart;
  }
  profile.walk = secondsOf(walking);
}

}  // namespace

void printFrameProfile(const FrameRun& run) {
  // Loading makes the scene's folder the current directory, so the second load needs the whole path.
  FrameRun loadable = run;
  loadable.scene = fs::absolute(run.scene).string();
  FrameProfile profile;
  drawFrames(loadable, profile);
  walkFrames(loadable, profile);
  const double frames = run.frames > 0 ? static_cast<double>(run.frames) : 1.0;
  const double whole = profile.total > 0.0 ? profile.total : 1.0;
  const auto part = [&](double seconds) { return std::make_pair(1e3 * seconds / frames, 100.0 * seconds / whole); };
  // The walk was timed in a run of its own, so on a busy machine the parts may not quite add up.
  const auto simulation = part(profile.simulation);
  const auto walk = part(profile.walk);
  const auto rest = part(profile.total - profile.simulation - profile.walk);
  std::printf(
      "%s: %llu frames at %dx%d, %.3f ms a frame: simulation %.3f ms (%.0f%%), the draw's processor work %.3f ms "
      "(%.0f%%), the rest (OpenGL and its driver) %.3f ms (%.0f%%); %zu live particles at the end\n",
      run.scene.c_str(), static_cast<unsigned long long>(run.frames), run.width, run.height,
      1e3 * profile.total / frames, simulation.first, simulation.second, walk.first, walk.second, rest.first,
      rest.second, profile.liveAtTheEnd);
}

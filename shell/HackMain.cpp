// The Linux screensaver's entry point: reads its options, takes its window and draws one scene
// until a signal, its window's end or (in its own window) a key ends the run.

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "core/vtException.h"
#include "shell/FpsMeter.h"
#include "shell/FpsOverlay.h"
#include "shell/FramePacer.h"
#include "shell/GlxScreensaver.h"
#include "shell/HackOptions.h"
#include "shell/HackRules.h"
#include "shell/HackSettings.h"
#include "shell/ScenesFolder.h"
#include "view/SceneTable.h"
#include "view/SceneView.h"
#include "view/ScreensaverScene.h"

namespace fs = std::filesystem;

namespace {

// Set by SIGTERM (how XScreenSaver ends its programs) and SIGINT; the frame loop reads it.
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

void catchStopSignals() {
  struct sigaction action = {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

double secondsNow() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A signal cuts the wait short, and the frame loop then sees whether it asked for the end.
void waitFor(double seconds) {
  if (seconds > 0.0) {
    const auto whole = static_cast<time_t>(seconds);
    const timespec wait{whole, static_cast<long>((seconds - static_cast<double>(whole)) * 1e9)};
    nanosleep(&wait, nullptr);
  }
}

// The scene of this run: its file, the folder its pictures are looked up in, and its style.
struct ChosenScene {
  std::string name;
  std::string folder;
  std::string file;
  bool cameraOrbits;
  float fadeAlpha;
};

// Draws from the generator only for a choice at random, as the Windows screensaver does; with a
// scene named, the first frame sees the seed's state as psftool render's first frame does.
ChosenScene chooseScene(const HackOptions& options) {
  if (!options.sceneFile.empty()) {
    const fs::path path = fs::absolute(options.sceneFile);
    ChosenScene chosen{path.stem().string(), path.parent_path().string(), path.string(), true, 0.25f};
    if (const SceneEntry* entry = SceneTable::find(path.filename().string())) {
      chosen.cameraOrbits = entry->cameraOrbits;
      chosen.fadeAlpha = entry->fadeAlpha;
    }
    return chosen;
  }
  // The options let through only the table's names.
  const SceneEntry* entry = options.scene.empty() ? &SceneTable::choose() : SceneTable::find(options.scene + ".psf");
  // Absolute, as the folder becomes the current directory before the file is opened.
  const std::string folder =
      fs::absolute(options.scenesDir.empty() ? ScenesFolder::defaultForThisProgram() : options.scenesDir).string();
  const std::string file = entry->file.c_str();
  return {file.substr(0, file.size() - 4), folder, (fs::path(folder) / file).string(), entry->cameraOrbits,
          entry->fadeAlpha};
}

// As the Windows screensaver loads its scene from the Windows directory, the scene's folder is
// made current so that its pictures are found by name.
ParticleSystem* loadScene(const ChosenScene& chosen) {
  if (chdir(chosen.folder.c_str()) != 0) {
    throw vtException(ErrorCode::FileNotFound);
  }
  return ScreensaverScene::load(chosen.file.c_str());
}

// The scene's objects are destroyed while the context their texture belongs to is current, on
// every way out.
struct SceneObjects {
  ~SceneObjects() { ObjectRegistry::instance().destroyAll(); }
};

int run(const HackOptions& options) {
  catchStopSignals();
  Random::seed(options.seed ? *options.seed : static_cast<uint32_t>(std::time(nullptr)));
  GlxScreensaver screen(HackRules::chooseWindow(options, std::getenv("XSCREENSAVER_WINDOW")));
  const SceneObjects objects;
  SceneView::setUpState();
  const ChosenScene chosen = chooseScene(options);
  ParticleSystem* scene = nullptr;
  try {
    scene = loadScene(chosen);
  } catch (const vtException& e) {
    std::fprintf(stderr, "ostrel: %s: %s\n", chosen.file.c_str(), e.text);
    return 1;
  }
  SceneView view(chosen.cameraOrbits, chosen.fadeAlpha);
  SceneView::setViewport(screen.width(), screen.height());
  std::unique_ptr<FpsOverlay> overlay = options.fps ? std::make_unique<FpsOverlay>(screen.display()) : nullptr;
  FpsMeter meter(secondsNow());
  FramePacer pacer(options.delay, secondsNow());
  while (stopRequested == 0 && screen.pumpEvents()) {
    if (screen.takeResize()) {
      SceneView::setViewport(screen.width(), screen.height());
    }
    view.drawFrame(scene);
    if (overlay) {
      overlay->draw(meter.shown(), screen.width(), screen.height());
    }
    screen.swapBuffers();
    view.advanceCamera();
    meter.countFrame(secondsNow());
    waitFor(pacer.waitBeforeNextFrame(secondsNow()));
  }
  if (options.fps) {
    std::printf("ostrel: %s: %llu frames at %dx%d, %.1f frames per second\n", chosen.name.c_str(),
                static_cast<unsigned long long>(meter.frames()), screen.width(), screen.height(),
                meter.average(secondsNow()));
  }
  return screen.failed() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const HackOptions options = HackOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty() || options.help) {
    const std::string usage = HackSettings::usage(ScenesFolder::defaultForThisProgram());
    if (options.help) {
      std::fputs(usage.c_str(), stdout);
      return 0;
    }
    std::fprintf(stderr, "ostrel: %s\n%s", options.error.c_str(), usage.c_str());
    return 1;
  }
  try {
    return run(options);
  } catch (const vtException& e) {
    std::fprintf(stderr, "ostrel: %s\n", e.text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ostrel: %s\n", e.what());
  }
  return 1;
}

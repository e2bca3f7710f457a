// psftool render: draws a scene offscreen exactly as the screensaver draws its frames (the fade
// quad, the camera on its orbit or fixed, the additive particles with their turning texture) and
// writes PNG pictures; it also says how fast the frames were drawn.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/OpenGl.h"
#include "core/Random.h"
#include "scene/ParticleSystem.h"
#include "tools/commands/Command.h"
#include "tools/commands/FrameProfile.h"
#include "tools/commands/FrameStats.h"
#include "tools/commands/LoadedScene.h"
#include "tools/commands/OptionValues.h"
#include "tools/commands/PngFile.h"
#include "tools/commands/Progress.h"
#include "view/SceneTable.h"
#include "view/SceneView.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  std::string scene;
  uint32_t seed = 0;
  uint64_t frames = 0;
  int width = 640;
  int height = 480;
  std::string out;
  std::string framesDir;
  uint64_t every = 1;
  // The screensaver's style for the scene names of its table, else an orbiting camera and a fade
  // of 0.25.
  bool orbit = true;
  float fade = 0.25f;
  // Where a frame's time goes, printed instead of saving pictures.
  bool profile = false;
  // The figures of every saved frame, printed beside the frame rate.
  bool stats = false;
};

// The largest picture: far beyond a screen, small enough that the buffer is always allocatable.
constexpr uint64_t kMaxSide = 4096;

void parseSize(const std::string& text, Options& options) {
  const size_t x = text.find('x');
  if (x == std::string::npos) {
    throw std::runtime_error("psftool render: --size needs WIDTHxHEIGHT, not '" + text + "'");
  }
  options.width = static_cast<int>(parseWholeNumber("render", "--size", text.substr(0, x), kMaxSide, 1));
  options.height = static_cast<int>(parseWholeNumber("render", "--size", text.substr(x + 1), kMaxSide, 1));
}

void takeSceneStyle(Options& options) {
  if (const SceneEntry* entry = SceneTable::find(fs::path(options.scene).filename().string())) {
    options.orbit = entry->cameraOrbits;
    options.fade = entry->fadeAlpha;
  }
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  bool haveSeed = false;
  bool haveFrames = false;
  int orbitChoice = -1;
  bool haveFade = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--seed") {
      options.seed = static_cast<uint32_t>(parseWholeNumber("render", arg, optionValue(args, i), UINT32_MAX));
      haveSeed = true;
    } else if (arg == "--frames") {
      options.frames = parseWholeNumber("render", arg, optionValue(args, i), UINT32_MAX);
      haveFrames = true;
    } else if (arg == "--size") {
      parseSize(optionValue(args, i), options);
    } else if (arg == "--out") {
      options.out = optionValue(args, i);
    } else if (arg == "--frames-dir") {
      options.framesDir = optionValue(args, i);
    } else if (arg == "--every") {
      options.every = parseWholeNumber("render", arg, optionValue(args, i), UINT32_MAX, 1);
    } else if (arg == "--profile") {
      options.profile = true;
    } else if (arg == "--orbit" || arg == "--no-orbit") {
      orbitChoice = arg == "--orbit" ? 1 : 0;
    } else if (arg == "--stats") {
      options.stats = true;
    } else if (arg == "--fade") {
      // Beyond 0 and 1 the fade quad's alpha would darken nothing or whiten the screen.
      options.fade = parseDecimal("render", arg, optionValue(args, i), 0.0f, 1.0f);
      haveFade = true;
    } else {
      takeSceneArgument(arg, options.scene);
    }
  }
  require(!options.scene.empty(), "a scene file");
  require(haveSeed, "--seed S");
  require(haveFrames, "--frames N");
  require(!options.out.empty() || !options.framesDir.empty() || options.profile,
          "--out FILE.png, --frames-dir DIR or --profile");
  const float fade = options.fade;
  takeSceneStyle(options);
  if (orbitChoice >= 0) {
    options.orbit = orbitChoice == 1;
  }
  if (haveFade) {
    options.fade = fade;
  }
  return options;
}

void savePicture(const std::string& path, const EglContext& context, bool stats) {
  glFinish();
  const std::vector<uint8_t> pixels = context.readPixels();
  writePng(path, context.width(), context.height(), pixels);
  if (stats) {
    std::printf("%s: %s\n", fs::path(path).filename().c_str(), FrameStats::of(pixels).text().c_str());
  }
}

}  // namespace

int runRender(const std::vector<std::string>& args) {
  const Options options = parseOptions(args);
  if (options.profile) {
    printFrameProfile({options.scene, options.seed, options.frames, options.width, options.height, options.orbit,
                       options.fade});
    return 0;
  }
  // Output paths are taken before loading, which makes the scene's folder the current directory.
  const std::string out = options.out.empty() ? "" : fs::absolute(options.out).string();
  const std::string framesDir = options.framesDir.empty() ? "" : fs::absolute(options.framesDir).string();
  if (!framesDir.empty()) {
    fs::create_directories(framesDir);
  }

  LoadedScene loaded(options.scene, options.width, options.height);
  // As in simulate: the generator's state is S before the first frame's step.
  Random::seed(options.seed);
  SceneView::setUpState();
  SceneView::setViewport(options.width, options.height);
  SceneView view(options.orbit, options.fade);

  std::chrono::steady_clock::duration drawing{};
  auto start = std::chrono::steady_clock::now();
  Progress progress("frame", options.frames);
  for (uint64_t frame = 1; frame <= options.frames; ++frame) {
    view.drawFrame(&loaded.system());
    // Where the screensaver swaps buffers, which hands the frame to the driver. Without it Mesa
    // keeps queuing the frames of the single-buffered pbuffer: 2.5 GB after 4000 frames.
    glFlush();
    view.advanceCamera();
    if (!framesDir.empty() && frame % options.every == 0) {
      glFinish();
      drawing += std::chrono::steady_clock::now() - start;
      char name[32];
      std::snprintf(name, sizeof name, "frame-%06llu.png", static_cast<unsigned long long>(frame));
      savePicture((fs::path(framesDir) / name).string(), loaded.context(), options.stats);
      start = std::chrono::steady_clock::now();
    }
    progress.show(frame);
  }
  progress.finish();
  glFinish();
  drawing += std::chrono::steady_clock::now() - start;
  if (!out.empty()) {
    savePicture(out, loaded.context(), options.stats);
  }

  const double seconds = std::chrono::duration<double>(drawing).count();
  std::printf("%s: %llu frames at %dx%d in %.3f s, %.1f frames per second, %zu live particles at the end\n",
              options.scene.c_str(), static_cast<unsigned long long>(options.frames), options.width,
              options.height, seconds, seconds > 0.0 ? static_cast<double>(options.frames) / seconds : 0.0,
              loaded.system().particles().size());
  return 0;
}

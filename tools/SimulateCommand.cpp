// psftool simulate: runs a scene's steps headless from a given generator state and dumps the
// particles as CSV. One step is what one frame does to the scene: update, then the particle walk
// of draw (remove the dead, age, move, then colour, drawn position and size).

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "scene/ParticleSystem.h"
#include "tools/Command.h"
#include "tools/LoadedScene.h"
#include "tools/OptionValues.h"
#include "tools/Simulation.h"

namespace {

struct Options {
  std::string scene;
  SimulationOptions run;
  std::string dump;
};

uint64_t parseNumber(const std::string& option, const std::string& text, uint64_t highest) {
  return parseWholeNumber("simulate", option, text, highest);
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  bool haveSeed = false;
  bool haveSteps = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--seed" && hasValue) {
      options.run.seed = static_cast<uint32_t>(parseNumber(arg, args[++i], UINT32_MAX));
      haveSeed = true;
    } else if (arg == "--steps" && hasValue) {
      options.run.steps = parseNumber(arg, args[++i], UINT32_MAX);
      haveSteps = true;
    } else if (arg == "--dump" && hasValue) {
      options.dump = args[++i];
    } else if (arg == "--dump-every" && hasValue) {
      options.run.dumpEvery = parseNumber(arg, args[++i], UINT32_MAX);
      if (options.run.dumpEvery == 0) {
        throw std::runtime_error("psftool simulate: --dump-every needs at least 1");
      }
    } else if (arg.rfind("--", 0) == 0 || !options.scene.empty()) {
      throw std::runtime_error("psftool simulate: unexpected '" + arg + "' (see psftool simulate --help)");
    } else {
      options.scene = arg;
    }
  }
  if (options.scene.empty() || !haveSeed || !haveSteps) {
    throw std::runtime_error("usage: psftool simulate SCENE.psf --seed S --steps N [--dump FILE] [--dump-every K]");
  }
  return options;
}

struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file != stdout) {
      std::fclose(file);
    }
  }
};

}  // namespace

int runSimulate(const std::vector<std::string>& args) {
  const Options options = parseOptions(args);
  // The scene's folder becomes the current directory when it loads: fix the dump's path first.
  const std::string dumpPath =
      options.dump.empty() || options.dump == "-" ? options.dump : std::filesystem::absolute(options.dump).string();
  LoadedScene scene(options.scene);
  ParticleSystem& system = scene.system();

  std::unique_ptr<std::FILE, FileCloser> dump;
  if (dumpPath == "-") {
    dump.reset(stdout);
  } else if (!dumpPath.empty()) {
    dump.reset(std::fopen(dumpPath.c_str(), "wb"));
    if (dump == nullptr) {
      throw std::runtime_error("psftool simulate: cannot write " + options.dump);
    }
  }
  simulate(system, options.run, dump.get());
  if (dumpPath != "-") {
    std::printf("%llu steps, %zu live particles\n", static_cast<unsigned long long>(options.run.steps),
                system.particles().size());
  }
  return 0;
}

// psftool simulate: runs a scene's steps headless from a given generator state and dumps the
// particles as CSV. One step is what one frame does to the scene: update, then the particle walk
// of draw (remove the dead, age, move, then colour, drawn position and size).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "scene/ParticleSystem.h"
#include "tools/commands/Command.h"
#include "tools/commands/FileError.h"
#include "tools/commands/LoadedScene.h"
#include "tools/commands/OptionValues.h"
#include "tools/commands/Progress.h"
#include "tools/commands/Simulation.h"

namespace {

struct Options {
  std::string scene;
  SimulationOptions run;
  std::string dump;
};

uint64_t parseNumber(const std::string& option, const std::string& text, uint64_t highest, uint64_t lowest = 0) {
  return parseWholeNumber("simulate", option, text, highest, lowest);
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  bool haveSeed = false;
  bool haveSteps = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--seed") {
      options.run.seed = static_cast<uint32_t>(parseNumber(arg, optionValue(args, i), UINT32_MAX));
      haveSeed = true;
    } else if (arg == "--steps") {
      options.run.steps = parseNumber(arg, optionValue(args, i), UINT32_MAX);
      haveSteps = true;
    } else if (arg == "--dump") {
      options.dump = optionValue(args, i);
    } else if (arg == "--dump-every") {
      options.run.dumpEvery = parseNumber(arg, optionValue(args, i), UINT32_MAX, 1);
    } else if (arg == "--summary") {
      options.run.summary = true;
    } else {
      takeSceneArgument(arg, options.scene);
    }
  }
  require(!options.scene.empty(), "a scene file");
  require(haveSeed, "--seed S");
  require(haveSteps, "--steps N");
  // A summary is short enough for the terminal.
  if (options.run.summary && options.dump.empty()) {
    options.dump = "-";
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
      throw FileError(options.dump, vtException(ErrorCode::WriteFailed), std::strerror(errno));
    }
  }
  // Rows on standard output show the run's progress themselves, and a count between them would
  // break their lines.
  Progress progress = dumpPath == "-" ? Progress(nullptr, "step", 0) : Progress("step", options.run.steps);
  simulate(system, options.run, dump.get(), &progress);
  progress.finish();
  if (dumpPath != "-") {
    std::printf("%llu steps, %zu live particles\n", static_cast<unsigned long long>(options.run.steps),
                system.particles().size());
  }
  return 0;
}

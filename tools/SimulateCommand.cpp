// psftool simulate: runs a scene's steps headless from a given generator state and dumps the
// particles as CSV. One step is what one frame does to the scene: update, then the particle walk
// of draw (remove the dead, age, move, then colour, drawn position and size).

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/Random.h"
#include "scene/ParticleSystem.h"
#include "tools/Command.h"
#include "tools/LoadedScene.h"

namespace {

const char kHeader[] = "step,index,px,py,pz,vx,vy,vz,ox,oy,oz,orbitRadius,orbitAngle,lifeLeft,lifeTotal,r,g,b,a,size\n";

struct Options {
  std::string scene;
  uint32_t seed = 0;
  uint64_t steps = 0;
  std::string dump;
  uint64_t dumpEvery = 0;
};

uint64_t parseNumber(const std::string& option, const std::string& text, uint64_t highest) {
  size_t used = 0;
  unsigned long long value = 0;
  try {
    value = std::stoull(text, &used, 10);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || text[0] == '-' || text[0] == '+' || value > highest) {
    throw std::runtime_error("psftool simulate: " + option + " needs a whole number from 0 to " +
                             std::to_string(highest) + ", not '" + text + "'");
  }
  return value;
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  bool haveSeed = false;
  bool haveSteps = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--seed" && hasValue) {
      options.seed = static_cast<uint32_t>(parseNumber(arg, args[++i], UINT32_MAX));
      haveSeed = true;
    } else if (arg == "--steps" && hasValue) {
      options.steps = parseNumber(arg, args[++i], UINT32_MAX);
      haveSteps = true;
    } else if (arg == "--dump" && hasValue) {
      options.dump = args[++i];
    } else if (arg == "--dump-every" && hasValue) {
      options.dumpEvery = parseNumber(arg, args[++i], UINT32_MAX);
      if (options.dumpEvery == 0) {
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

// %.9g gives every float back exactly; the non-numbers are spelled out because C runtimes differ
// (glibc writes the sign of a NaN, which 0/0 sets).
void appendFloat(std::string& out, float value) {
  if (std::isnan(value)) {
    out += "nan";
  } else if (std::isinf(value)) {
    out += value > 0 ? "inf" : "-inf";
  } else {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    out += text;
  }
}

void appendVec(std::string& out, const Vec3& v) {
  appendFloat(out, v.x);
  out += ',';
  appendFloat(out, v.y);
  out += ',';
  appendFloat(out, v.z);
  out += ',';
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
  if (dump != nullptr) {
    std::fputs(kHeader, dump.get());
  }

  const uint64_t every = options.dumpEvery != 0 ? options.dumpEvery : options.steps;
  Random::seed(options.seed);
  std::string rows;
  for (uint64_t step = 1; step <= options.steps; ++step) {
    const bool dumping = dump != nullptr && step % every == 0;
    // A step's rows are written only once the step is complete: an exception in the middle of
    // the walk keeps the rows of the steps before it and none of its own.
    rows.clear();
    uint64_t index = 0;
    system.update();
    system.walk([&](const Particle& particle, const Color4& color, const Vec3& drawn, float size) {
      if (!dumping) {
        return;
      }
      rows += std::to_string(step);
      rows += ',';
      rows += std::to_string(index++);
      rows += ',';
      appendVec(rows, particle.position);
      appendVec(rows, particle.velocity);
      appendVec(rows, drawn);
      appendFloat(rows, particle.orbitRadius);
      rows += ',';
      appendFloat(rows, particle.orbitAngle);
      rows += ',';
      rows += std::to_string(particle.lifeLeft);
      rows += ',';
      rows += std::to_string(particle.lifeTotal);
      rows += ',';
      for (float channel : {color.r, color.g, color.b, color.a}) {
        appendFloat(rows, channel);
        rows += ',';
      }
      appendFloat(rows, size);
      rows += '\n';
    });
    if (dumping) {
      std::fwrite(rows.data(), 1, rows.size(), dump.get());
    }
  }
  if (dumpPath != "-") {
    std::printf("%llu steps, %zu live particles\n", static_cast<unsigned long long>(options.steps),
                system.particles().size());
  }
  return 0;
}

#include "tools/commands/Simulation.h"

#include <cmath>
#include <string>

#include "core/Random.h"
#include "scene/ParticleSystem.h"
#include "tools/commands/Progress.h"

const char kSimulationHeader[] =
    "step,index,px,py,pz,vx,vy,vz,ox,oy,oz,orbitRadius,orbitAngle,lifeLeft,lifeTotal,r,g,b,a,size\n";
const char kSummaryHeader[] = "step,live,oxMin,oxMax,oyMin,oyMax,ozMin,ozMax,aMean,sizeMean\n";

namespace {

// %.9g gives every float back exactly; the non-numbers are spelled out because C runtimes differ
// (glibc writes the sign of a NaN, and 0/0 sets it).
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
  out += ',';
}

void appendVec(std::string& out, const Vec3& v) {
  appendFloat(out, v.x);
  appendFloat(out, v.y);
  appendFloat(out, v.z);
}

void appendInteger(std::string& out, uint64_t value) {
  out += std::to_string(value);
  out += ',';
}

void appendInteger(std::string& out, int32_t value) {
  out += std::to_string(value);
  out += ',';
}

void appendParticle(std::string& out, uint64_t step, uint64_t index, const Particle& particle, const Color4& color,
                    const Vec3& drawn, float size) {
  appendInteger(out, step);
  appendInteger(out, index);
  appendVec(out, particle.position);
  appendVec(out, particle.velocity);
  appendVec(out, drawn);
  appendFloat(out, particle.orbitRadius);
  appendFloat(out, particle.orbitAngle);
  appendInteger(out, particle.lifeLeft);
  appendInteger(out, particle.lifeTotal);
  appendFloat(out, color.r);
  appendFloat(out, color.g);
  appendFloat(out, color.b);
  appendFloat(out, color.a);
  appendFloat(out, size);
  out.back() = '\n';
}

// The live particles of one step in a few numbers. The sums are kept in double precision: they
// only describe the step and never feed back into the simulation, and a float sum of a hundred
// thousand values would lose the small ones.
class StepSummary {
 public:
  void add(const Color4& color, const Vec3& drawn, float size) {
    // fmin and fmax pass over NaN, so the extremes are those of the positions that are numbers.
    const float position[3] = {drawn.x, drawn.y, drawn.z};
    for (int axis = 0; axis < 3; ++axis) {
      lowest_[axis] = live_ == 0 ? position[axis] : std::fmin(lowest_[axis], position[axis]);
      highest_[axis] = live_ == 0 ? position[axis] : std::fmax(highest_[axis], position[axis]);
    }
    alphaSum_ += color.a;
    sizeSum_ += size;
    ++live_;
  }

  void append(std::string& out, uint64_t step) const {
    appendInteger(out, step);
    appendInteger(out, live_);
    if (live_ == 0) {
      out += ",,,,,,,\n";
      return;
    }
    for (int axis = 0; axis < 3; ++axis) {
      appendFloat(out, lowest_[axis]);
      appendFloat(out, highest_[axis]);
    }
    appendFloat(out, static_cast<float>(alphaSum_ / static_cast<double>(live_)));
    appendFloat(out, static_cast<float>(sizeSum_ / static_cast<double>(live_)));
    out.back() = '\n';
  }

 private:
  uint64_t live_ = 0;
  float lowest_[3] = {};
  float highest_[3] = {};
  double alphaSum_ = 0.0;
  double sizeSum_ = 0.0;
};

}  // namespace

void simulate(ParticleSystem& system, const SimulationOptions& options, std::FILE* dump, Progress* progress) {
  if (dump != nullptr) {
    std::fputs(options.summary ? kSummaryHeader : kSimulationHeader, dump);
  }
  const uint64_t every = options.dumpEvery != 0 ? options.dumpEvery : options.steps;
  Random::seed(options.seed);
  std::string rows;
  for (uint64_t step = 1; step <= options.steps; ++step) {
    const bool dumping = dump != nullptr && step % every == 0;
    rows.clear();
    uint64_t index = 0;
    StepSummary summary;
    system.update();
    system.walk([&](const Particle& particle, const Color4& color, const Vec3& drawn, float size) {
      if (!dumping) {
        return;
      }
      if (options.summary) {
        summary.add(color, drawn, size);
      } else {
        appendParticle(rows, step, index++, particle, color, drawn, size);
      }
    });
    if (dumping && options.summary) {
      summary.append(rows, step);
    }
    // Only a completed step's rows reach the file.
    if (dumping) {
      std::fwrite(rows.data(), 1, rows.size(), dump);
    }
    if (progress != nullptr) {
      progress->show(step);
    }
  }
}

#include "tools/Simulation.h"

#include <cmath>
#include <string>

#include "core/Random.h"
#include "scene/ParticleSystem.h"

const char kSimulationHeader[] =
    "step,index,px,py,pz,vx,vy,vz,ox,oy,oz,orbitRadius,orbitAngle,lifeLeft,lifeTotal,r,g,b,a,size\n";

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

}  // namespace

void simulate(ParticleSystem& system, const SimulationOptions& options, std::FILE* dump) {
  if (dump != nullptr) {
    std::fputs(kSimulationHeader, dump);
  }
  const uint64_t every = options.dumpEvery != 0 ? options.dumpEvery : options.steps;
  Random::seed(options.seed);
  std::string rows;
  for (uint64_t step = 1; step <= options.steps; ++step) {
    const bool dumping = dump != nullptr && step % every == 0;
    rows.clear();
    uint64_t index = 0;
    system.update();
    system.walk([&](const Particle& particle, const Color4& color, const Vec3& drawn, float size) {
      if (!dumping) {
        return;
      }
      appendInteger(rows, step);
      appendInteger(rows, index++);
      appendVec(rows, particle.position);
      appendVec(rows, particle.velocity);
      appendVec(rows, drawn);
      appendFloat(rows, particle.orbitRadius);
      appendFloat(rows, particle.orbitAngle);
      appendInteger(rows, particle.lifeLeft);
      appendInteger(rows, particle.lifeTotal);
      appendFloat(rows, color.r);
      appendFloat(rows, color.g);
      appendFloat(rows, color.b);
      appendFloat(rows, color.a);
      appendFloat(rows, size);
      rows.back() = '\n';
    });
    // Only a completed step's rows reach the file.
    if (dumping) {
      std::fwrite(rows.data(), 1, rows.size(), dump);
    }
  }
}

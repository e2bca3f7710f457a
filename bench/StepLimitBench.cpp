// The simulation step against its limit. A scene whose modifier and shape look at each particle's
// drawn position runs its steps (update, then the particle walk with the camera transform and the
// four vertices of each square); beside it a yardstick does the same arithmetic in the same order
// in one fused pass over a contiguous ring of the same records, taking each particle's orbit sine
// and cosine once per step. Both report ns per particle per step, the yardstick also the step's
// ratio to it; the step reports the heap bytes a live particle costs once the live count has
// settled. scripts/step-table.sh runs this program built against two engines side by side.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

#include "core/FloatMath.h"
#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "modifiers/DampModifier.h"
#include "modifiers/ForceModifier.h"
#include "modifiers/SphereModifier.h"
#include "objfile/FieldIo.h"
#include "objfile/MemoryStream.h"
#include "particles/ColorCurve.h"
#include "particles/Emitter.h"
#include "particles/SizeCurve.h"
#include "scene/ParticleSystem.h"
#include "shapes/Bouncer.h"

namespace {

constexpr int32_t kLife = 100;
// Past one life: every step from here on makes as many particles as the last one removed.
constexpr int kSettlingSteps = kLife + 50;

// The deflector: a mirror sphere. The yardstick takes its values from here rather than from the
// shape, whose way of showing them has changed between engines this file is built against.
constexpr Vec3 kSphereCentre{0, 2, 0};
constexpr float kSphereRadius = 0.5f;
constexpr float kSphereLoss = 0.1f;

// The workload as a particle system's stored body: a disc emitter of radius 1 with upward
// velocity, spread and small orbits, colour and size curves of resolution 256, life 100 and rate
// limit / 100; a force, damping within a speed band and a point attractor at (0, 3, 0); a mirror
// sphere of radius 0.5 at (0, 2, 0). Read through the factory, as a scene file is.
std::vector<uint8_t> workloadBody(uint32_t limit) {
  MemoryStream body;
  writeField(body, limit);
  writeTag(body, makeTag("EMIT"));
  // origin, axisA, axisB, velocity, particleAux, rate, spread, radius, orbitAngle, orbitAngleVar,
  // speed, speedVar, orbitRadius, orbitRadiusVar, life.
  writeFields(body, Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 0, 1}, Vec3{0, 0.05f, 0}, Vec3{0, 0, 0},
              static_cast<int32_t>(limit / 100), 0.5f, 1.0f, 1.0f, 3.0f, 0.02f, 0.01f, 0.05f, 0.02f, kLife);
  // The colour curve (resolution, key count, then value and percent per key), the size curve.
  writeFields(body, int32_t{256}, int32_t{3}, Color4{1, 1, 0.5f, 0}, int32_t{0}, Color4{1, 0.5f, 0.2f, 1},
              int32_t{50}, Color4{0.3f, 0, 0, 0}, int32_t{100});
  writeFields(body, int32_t{256}, int32_t{2}, 0.05f, int32_t{0}, 0.2f, int32_t{100});
  writeField(body, static_cast<int32_t>(EmitterShape::Disc));
  writeField(body, int32_t{1});
  writeTag(body, makeTag("BSPH"));
  // centre, radius, loss, bounce mode.
  writeFields(body, kSphereCentre, kSphereRadius, kSphereLoss, int32_t{Mirror});
  writeField(body, int32_t{3});
  writeTag(body, makeTag("MFRC"));
  writeField(body, Vec3{0, -0.001f, 0});
  writeTag(body, makeTag("MDMP"));
  // factor, minSpeed, maxSpeed.
  writeFields(body, Vec3{0.995f, 0.995f, 0.995f}, 0.001f, 10.0f);
  writeTag(body, makeTag("MSPH"));
  // centre, falloff.
  writeFields(body, Vec3{0, 3, 0}, 1.0f);
  writeTag(body, 0);
  return body.bytes();
}

// One loaded workload with its objects by class. The registry owns them.
struct Workload {
  explicit Workload(uint32_t limit) : system(new ParticleSystem) {
    MemoryStream body(workloadBody(limit));
    system->read(body);
    auto modifier = system->modifiers().begin();
    force = dynamic_cast<ForceModifier*>(*modifier++);
    damp = dynamic_cast<DampModifier*>(*modifier++);
    attractor = dynamic_cast<SphereModifier*>(*modifier);
  }

  ParticleSystem* system;
  ForceModifier* force;
  DampModifier* damp;
  SphereModifier* attractor;
};

// What draw gives OpenGL for a particle, built in memory: the colour, then texture coordinates and
// eye-space vertex of each corner of the square, after the camera transform.
class Vertices {
 public:
  static constexpr size_t kFloatsPerParticle = 4 + 4 * 5;

  explicit Vertices(uint32_t limit) : floats_(kFloatsPerParticle * limit) {}

  void restart() { used_ = 0; }

  void add(const Color4& color, const Vec3& p, float s) {
    const float ex = kCamera[0] * p.x + kCamera[4] * p.y + kCamera[8] * p.z + kCamera[12];
    const float ey = kCamera[1] * p.x + kCamera[5] * p.y + kCamera[9] * p.z + kCamera[13];
    const float ez = kCamera[2] * p.x + kCamera[6] * p.y + kCamera[10] * p.z + kCamera[14];
    float* out = &floats_[used_];
    const float corners[4 * 5] = {0, 1, ex - s, ey - s, ez, 1, 1, ex + s, ey - s, ez,
                                  1, 0, ex + s, ey + s, ez, 0, 0, ex - s, ey + s, ez};
    std::memcpy(out, color.data(), 4 * sizeof(float));
    std::memcpy(out + 4, corners, sizeof corners);
    used_ += kFloatsPerParticle;
  }

  bool sameAs(const Vertices& other) const {
    return used_ == other.used_ && std::memcmp(floats_.data(), other.floats_.data(), used_ * sizeof(float)) == 0;
  }

 private:
  // A camera turned a little about y and x and drawn back, as a frame's gluLookAt leaves it.
  static constexpr float kCamera[16] = {0.98f, 0.04f, -0.2f, 0, 0, 0.98f, 0.2f, 0, 0.2f, -0.2f, 0.96f, 0,
                                        0.5f,  -1,    -10,   1};

  std::vector<float> floats_;
  size_t used_ = 0;
};

// One step as a frame takes it, without OpenGL.
void engineStep(ParticleSystem& system, Vertices& vertices) {
  vertices.restart();
  system.update();
  system.walk([&vertices](const Particle&, const Color4& color, const Vec3& drawn, float size) {
    vertices.add(color, drawn, size);
  });
}

// The yardstick: the workload's step as one pass over the live particles in a ring of records in
// birth order. Every operation is the engine's, in the engine's order, on the same values; only
// the orbit's sine and cosine are taken once per particle instead of at each drawn position.
class FusedStep {
 public:
  explicit FusedStep(uint32_t limit) : workload_(limit), limit_(limit) {
    size_t capacity = 1;
    while (capacity < limit) {
      capacity *= 2;
    }
    ring_.resize(capacity);
    mask_ = capacity - 1;
    forceActive_ = workload_.force->isActive();
    Bouncer::reflectionFactor(Mirror, k_);
  }

  size_t live() const { return count_; }

  void step(Vertices& vertices) {
    vertices.restart();
    emit();
    const Vec3 force = workload_.force->force;
    const DampModifier& damp = *workload_.damp;
    const SphereModifier& attractor = *workload_.attractor;
    // As the sphere derives them when it is read.
    const float radiusSq = kSphereRadius * kSphereRadius;
    const float restitution = 1.0f - kSphereLoss;
    // The leading dead are dropped by moving the head; one dead behind a live one moves the rest.
    size_t dropped = 0;
    size_t kept = 0;
    for (size_t i = 0; i < count_; ++i) {
      Particle& p = at(i);
      Vec3 v = p.velocity;
      if (forceActive_) {
        v = v + force;
      }
      const float s2 = Vec3::lengthSquared(v);
      if (s2 > damp.minSpeedSq && s2 < damp.maxSpeedSq) {
        v = Vec3(v.x * damp.factor.x, v.y * damp.factor.y, v.z * damp.factor.z);
      }
      const Orbit orbit(p);
      {
        const Vec3 d = orbit.at(p.position, v) - attractor.centre;
        const float h = floatSqrt(Vec3::lengthSquared(d));
        if (static_cast<double>(h) > 1e-6) {
          const Vec3 dn = d / h;
          v = v - dn / (h * attractor.falloff + 1.0f);
        }
      }
      {
        const Vec3 o = orbit.at(p.position, v);
        const Vec3 n = o + v * p.stepScale;
        const Vec3 toCentre = kSphereCentre - n;
        if (Vec3::lengthSquared(toCentre) < radiusSq) {
          v = Bouncer::reflect(n - o, Vec3::normalized(toCentre), k_, restitution);
        }
      }
      p.velocity = v;
      if (p.lifeLeft <= 0) {
        dropped += kept == 0 ? 1 : 0;
        continue;
      }
      Particle& q = at(dropped + kept);
      if (&q != &p) {
        q = p;
      }
      ++kept;
      q.lifeLeft -= 1;
      q.position = q.position + q.velocity * q.stepScale;
      const Color4 color = q.currentColor();
      const Vec3 drawn = orbit.at(q.position, q.velocity);
      vertices.add(color, drawn, q.currentSize());
    }
    head_ = (head_ + dropped) & mask_;
    count_ = kept;
  }

 private:
  // Particle::orbitPosition with the sine and cosine taken once. A copy of the engine's arithmetic,
  // not a call into it, because scripts/step-table.sh builds this file against older engines too;
  // yardstickMatchesEngine holds the copy to the engine's results.
  class Orbit {
   public:
    explicit Orbit(const Particle& p) : orbits_(std::fabs(static_cast<double>(p.orbitRadius)) > 1e-6) {
      if (orbits_) {
        rs_ = p.orbitRadius * floatSin(p.orbitAngle);
        rc_ = p.orbitRadius * floatCos(p.orbitAngle);
      }
    }

    Vec3 at(const Vec3& position, const Vec3& velocity) const {
      if (!orbits_) {
        return position;
      }
      static const Vec3 up(0.0f, 1.0f, 0.0f);
      const Vec3 d = velocity / floatSqrt(Vec3::lengthSquared(velocity));
      const Vec3 diff = d - up;
      const float threshold = 1e-6f;
      if (std::fabs(diff.x) > threshold || std::fabs(diff.y) > threshold || std::fabs(diff.z) > threshold) {
        const Vec3 w(d.z * up.y - d.y * up.z, d.x * up.z - d.z * up.x, d.y * up.x - d.x * up.y);
        const Vec3 e = Vec3::cross(d, w);
        return position + w * rs_ + e * rc_;
      }
      return position + Vec3(-rs_, 0.0f, rc_);
    }

   private:
    bool orbits_;
    float rs_ = 0.0f;
    float rc_ = 0.0f;
  };

  Particle& at(size_t i) { return ring_[(head_ + i) & mask_]; }

  void emit() {
    const uint32_t wanted = static_cast<uint32_t>(workload_.system->emitter()->rate) & 0xFFFFu;
    const size_t count = std::min<size_t>(wanted, limit_ - count_);
    for (size_t i = 0; i < count; ++i) {
      at(count_++) = *workload_.system->emitter()->createParticle();
    }
  }

  Workload workload_;
  size_t limit_;
  std::vector<Particle> ring_;
  size_t mask_ = 0;
  size_t head_ = 0;
  size_t count_ = 0;
  bool forceActive_ = false;
  float k_ = 0.0f;
};

// The yardstick is only a yardstick if it computes what the engine computes: every vertex of
// every step, bit for bit, from the same seed.
bool yardstickMatchesEngine() {
  constexpr uint32_t kLimit = 2000;
  Workload engine(kLimit);
  FusedStep fused(kLimit);
  Vertices fromEngine(kLimit);
  Vertices fromFused(kLimit);
  bool same = true;
  for (int step = 0; step < 3 * kLife && same; ++step) {
    // The two draw the same random values: each takes its step from the same generator state.
    const uint32_t state = Random::state();
    engineStep(*engine.system, fromEngine);
    Random::seed(state);
    fused.step(fromFused);
    same = fromEngine.sameAs(fromFused) && engine.system->particles().size() == fused.live();
  }
  ObjectRegistry::instance().destroyAll();
  return same;
}

// Bytes the program holds from malloc: chunks in the heap, headers included, and mapped blocks.
size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void reportPerParticle(benchmark::State& state, double particles) {
  state.counters["ns_per_particle"] =
      benchmark::Counter(particles, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The step's CPU seconds per particle at each size, for the yardstick's ratio; the step of a size
// runs before its yardstick.
std::map<int64_t, double> stepCost;

double cpuSecondsSince(std::clock_t start) {
  return static_cast<double>(std::clock() - start) / static_cast<double>(CLOCKS_PER_SEC);
}

void BM_Step(benchmark::State& state) {
  const auto limit = static_cast<uint32_t>(state.range(0));
  Random::seed(1);
  Vertices vertices(limit);
  const size_t heapBefore = heapInUse();
  Workload workload(limit);
  ParticleSystem& system = *workload.system;
  for (int i = 0; i < kSettlingSteps; ++i) {
    engineStep(system, vertices);
  }
  // Everything the scene holds once settled: the particles and their list, the emitter with its
  // curves, the modifiers and the shape.
  const auto heap = static_cast<double>(heapInUse() - heapBefore);
  double particles = 0;
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    engineStep(system, vertices);
    particles += static_cast<double>(system.particles().size());
  }
  stepCost[limit] = cpuSecondsSince(start) / particles;
  reportPerParticle(state, particles);
  state.counters["live"] = static_cast<double>(system.particles().size());
  state.counters["heap_bytes_per_particle"] = heap / static_cast<double>(system.particles().size());
  ObjectRegistry::instance().destroyAll();
}

void BM_Yardstick(benchmark::State& state) {
  static const bool matches = yardstickMatchesEngine();
  if (!matches) {
    state.SkipWithError("the yardstick does not compute what the engine computes");
    return;
  }
  const auto limit = static_cast<uint32_t>(state.range(0));
  Random::seed(1);
  FusedStep fused(limit);
  Vertices vertices(limit);
  for (int i = 0; i < kSettlingSteps; ++i) {
    fused.step(vertices);
  }
  double particles = 0;
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    fused.step(vertices);
    particles += static_cast<double>(fused.live());
  }
  const double cost = cpuSecondsSince(start) / particles;
  if (stepCost.count(limit) != 0) {
    state.counters["step_ratio"] = stepCost[limit] / cost;
  }
  reportPerParticle(state, particles);
  state.counters["live"] = static_cast<double>(fused.live());
  ObjectRegistry::instance().destroyAll();
}

// The same number of particle steps at each size, a few million: settling a million particles
// already takes a while, so the iterations are fixed rather than searched for.
int registerSizes() {
  for (const int64_t limit : {1000, 10000, 100000, 1000000}) {
    const int64_t steps = std::max<int64_t>(5, 3000000 / limit);
    benchmark::RegisterBenchmark("BM_Step", BM_Step)->Arg(limit)->Iterations(steps)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Yardstick", BM_Yardstick)
        ->Arg(limit)
        ->Iterations(steps)
        ->Unit(benchmark::kMillisecond);
  }
  return 0;
}

const int registered = registerSizes();

}  // namespace

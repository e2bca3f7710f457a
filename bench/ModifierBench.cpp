// Cost of one step of each modifier: nanoseconds per particle for the linear ones, and the
// quadratic gravity at 1,000 and 4,000 particles.

#include <benchmark/benchmark.h>

#include <vector>

#include "core/Random.h"
#include "modifiers/AvoidBoxModifier.h"
#include "modifiers/AvoidQuadModifier.h"
#include "modifiers/AvoidSphereModifier.h"
#include "modifiers/BubbleModifier.h"
#include "modifiers/DampModifier.h"
#include "modifiers/ExplosionModifier.h"
#include "modifiers/FlowModifier.h"
#include "modifiers/ForceModifier.h"
#include "modifiers/GravityModifier.h"
#include "modifiers/SphereModifier.h"
#include "modifiers/TubeModifier.h"

namespace {

// A spread like a running scene's: positions through a 40-unit cube around the origin, speeds of
// 0.1 to 1 unit per step in every direction, half of the particles on an orbit.
class Swarm {
 public:
  explicit Swarm(int count) {
    for (int i = 0; i < count; ++i) {
      list.push_back(new Particle);
    }
    Random::seed(1);
    for (std::vector<Particle>& snapshot : snapshots_) {
      for (int i = 0; i < count; ++i) {
        Particle p;
        p.position = {20 * Random::randSigned(), 20 * Random::randSigned(), 20 * Random::randSigned()};
        const Vec3 dir = Vec3::normalized({Random::randSigned(), Random::randSigned(), Random::randSigned()});
        p.velocity = dir * (0.1f + 0.9f * Random::randUnit());
        p.orbitRadius = (i % 2 == 0) ? 0.0f : 0.5f;
        p.orbitAngle = Random::randFullAngle();
        snapshot.push_back(p);
      }
    }
  }
  Swarm(const Swarm&) = delete;
  Swarm& operator=(const Swarm&) = delete;
  ~Swarm() {
    for (Particle* p : list) {
      delete p;
    }
  }

  // Every step starts from fresh particles, so that no modifier drifts into a cheaper or a
  // dearer case (velocities damped to denormals, orbits wound up) as the iterations go on. The
  // snapshots take turns: with one, the branch predictor would learn a thousand particles'
  // outcomes by heart and flatter the modifiers that branch on the data.
  void reset() {
    const std::vector<Particle>& snapshot = snapshots_[next_];
    next_ = (next_ + 1) % kSnapshots;
    auto saved = snapshot.begin();
    for (Particle* p : list) {
      *p = *saved++;
    }
  }

  ParticleList list;

 private:
  static constexpr int kSnapshots = 8;
  std::vector<Particle> snapshots_[kSnapshots];
  int next_ = 0;
};

template <class M>
void stepCost(benchmark::State& state, void (*configure)(M&)) {
  M modifier;
  configure(modifier);
  modifier.derive();
  const int count = static_cast<int>(state.range(0));
  Swarm swarm(count);
  for (auto _ : state) {
    state.PauseTiming();
    swarm.reset();
    state.ResumeTiming();
    modifier.apply(swarm.list);
    benchmark::ClobberMemory();
  }
  state.counters["per_particle"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                                benchmark::Counter::kInvert);
}

// Each modifier set up so that it acts on most of the swarm.
void force(ForceModifier& m) { m.force = {0, -0.01f, 0}; }
void damp(DampModifier&) {}
void bubble(BubbleModifier& m) {
  m.radius = 0.5f;
  m.angleStep = 0.05f;
  m.angleJitter = 0.1f;
}
void explosion(ExplosionModifier&) {}
void sphere(SphereModifier&) {}
void tube(TubeModifier& m) {
  m.start = {-20, 0, 0};
  m.end = {20, 0, 0};
}
void flow(FlowModifier& m) {
  m.radius = 5.0f;
  m.inertia = 0.9f;
}
void avoidBox(AvoidBoxModifier& m) {
  m.boxMin = {-5, -5, -5};
  m.boxMax = {5, 5, 5};
}
void avoidQuad(AvoidQuadModifier& m) {
  m.cornerA = {-20, 0, -20};
  m.cornerB = {20, 0, -20};
  m.cornerC = {20, 0, 20};
  m.cornerD = {-20, 0, 20};
}
void avoidSphere(AvoidSphereModifier& m) { m.radius = 5.0f; }
// Every pair within reach, as with the default radius.
void gravity(GravityModifier& m) { m.strength = 0.001f; }

}  // namespace

BENCHMARK_CAPTURE(stepCost, force, force)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, damp, damp)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, bubble, bubble)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, explosion, explosion)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, sphere, sphere)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, tube, tube)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, flow, flow)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, avoidBox, avoidBox)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, avoidQuad, avoidQuad)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, avoidSphere, avoidSphere)->Arg(1000)->Arg(4000);
BENCHMARK_CAPTURE(stepCost, gravity, gravity)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

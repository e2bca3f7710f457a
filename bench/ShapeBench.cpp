// Cost of one shape's collide per particle per step, on a cloud of particles around the shape of
// which some hit it and most do not, as in a scene.

#include <benchmark/benchmark.h>

#include <vector>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "shapes/BoxBouncer.h"
#include "shapes/CylinderBouncer.h"
#include "shapes/RectangleBouncer.h"
#include "shapes/SphereBouncer.h"
#include "shapes/TriangleBouncer.h"

namespace {

constexpr int kParticles = 10000;

// Particles spread through a cube of the given half-size around the origin, moving up to 1.5
// units per step on each axis; every third one is drawn on an orbit.
class Cloud {
 public:
  explicit Cloud(float halfSize) {
    Random::seed(12345);
    for (int i = 0; i < kParticles; ++i) {
      Particle* particle = new Particle;
      particle->position = {Random::randSigned() * halfSize, Random::randSigned() * halfSize, Random::randSigned() * halfSize};
      particle->velocity = {Random::randSigned() * 1.5f, Random::randSigned() * 1.5f, Random::randSigned() * 1.5f};
      if (i % 3 == 0) {
        particle->orbitRadius = 0.5f;
        particle->orbitAngle = Random::randFullAngle();
      }
      list.push_back(particle);
      velocities.push_back(particle->velocity);
    }
  }
  ~Cloud() {
    for (Particle* particle : list) {
      delete particle;
    }
  }
  Cloud(const Cloud&) = delete;
  Cloud& operator=(const Cloud&) = delete;

  // Every step starts from the same velocities, so the share of hits stays what it was.
  void restore() {
    auto velocity = velocities.begin();
    for (Particle* particle : list) {
      particle->velocity = *velocity++;
    }
  }

  // The share of particles whose velocity one collide changes.
  double hitShare(Bouncer& shape) {
    restore();
    shape.collide(list);
    int hits = 0;
    auto velocity = velocities.begin();
    for (const Particle* particle : list) {
      const Vec3& before = *velocity++;
      hits += (particle->velocity.x != before.x || particle->velocity.y != before.y || particle->velocity.z != before.z);
    }
    return static_cast<double>(hits) / kParticles;
  }

  ParticleList list;
  std::vector<Vec3> velocities;
};

// Time per particle of one step.
benchmark::Counter perParticle() {
  return benchmark::Counter(kParticles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Cloud half-size state.range(0): 12 spreads the particles well beyond the shapes, 6 keeps them
// close, so more of them hit.
void runShape(benchmark::State& state, Bouncer* shape) {
  Cloud cloud(static_cast<float>(state.range(0)));
  const double share = cloud.hitShare(*shape);
  for (auto _ : state) {
    cloud.restore();
    shape->collide(cloud.list);
    benchmark::ClobberMemory();
  }
  state.counters["per_particle"] = perParticle();
  state.counters["hit%"] = share * 100.0;
  ObjectRegistry::instance().destroyAll();
}

// The cost of resetting the velocities, included in every shape's figure.
void BM_RestoreOnly(benchmark::State& state) {
  Cloud cloud(12.0f);
  for (auto _ : state) {
    cloud.restore();
    benchmark::ClobberMemory();
  }
  state.counters["per_particle"] = perParticle();
}

// The shapes are registered objects, owned by the registry until runShape destroys them.
void BM_Box(benchmark::State& state) {
  auto* box = new BoxBouncer;
  box->boxMin = {-4, -4, -4};
  box->boxMax = {4, 4, 4};
  box->restitution = 0.25f;
  runShape(state, box);
}

void BM_Rectangle(benchmark::State& state) {
  auto* rectangle = new RectangleBouncer;
  rectangle->corners[0] = {-10, 0, -10};
  rectangle->corners[1] = {10, 0, -10};
  rectangle->corners[2] = {10, 0, 10};
  rectangle->corners[3] = {-10, 0, 10};
  rectangle->loss = 0.25f;
  rectangle->derive();
  runShape(state, rectangle);
}

void BM_Triangle(benchmark::State& state) {
  auto* triangle = new TriangleBouncer;
  triangle->vertices[0] = {-10, 0, 0};
  triangle->vertices[1] = {10, 0, 0};
  triangle->vertices[2] = {0, 0, 10};
  triangle->restitution = 0.75f;
  triangle->bounceMode = Graze;
  triangle->derive();
  runShape(state, triangle);
}

void BM_Sphere(benchmark::State& state) {
  auto* sphere = new SphereBouncer;
  sphere->radius = 6.0f;
  sphere->loss = 0.25f;
  sphere->bounceMode = Graze;
  sphere->derive();
  runShape(state, sphere);
}

void BM_Cylinder(benchmark::State& state) {
  auto* cylinder = new CylinderBouncer;
  cylinder->endA = {0, -8, 0};
  cylinder->endB = {0, 8, 0};
  cylinder->radius = 4.0f;
  cylinder->restitution = 0.75f;
  cylinder->derive();
  runShape(state, cylinder);
}

}  // namespace

BENCHMARK(BM_RestoreOnly);
BENCHMARK(BM_Box)->Arg(12)->Arg(6);
BENCHMARK(BM_Rectangle)->Arg(12)->Arg(6);
BENCHMARK(BM_Triangle)->Arg(12)->Arg(6);
BENCHMARK(BM_Sphere)->Arg(12)->Arg(6);
BENCHMARK(BM_Cylinder)->Arg(12)->Arg(6);

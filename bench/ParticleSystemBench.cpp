// Particles per second of one simulation step (update, then the particle walk of draw) at fixed
// live counts, the cost of handing each particle to the walk's sink through std::function instead
// of a template, and the heap bytes a live particle costs.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "objfile/MemoryStream.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"

// Every allocation of the program is counted, so that a particle's cost is measured, not assumed.
namespace {
std::atomic<uint64_t> allocatedBytes{0};
std::atomic<uint64_t> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocatedBytes.fetch_add(size, std::memory_order_relaxed);
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) {
    return block;
  }
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

// A disc emitter with spread, orbits and both curves, so every particle pays for every lookup.
// Particles live 100 steps and rate is a hundredth of the limit: in the steady state as many are
// made and removed per step as the limit allows, and the live count stays at the limit.
ParticleSystem* makeSystem(uint32_t liveCount) {
  Emitter shape;
  shape.shape = static_cast<int32_t>(EmitterShape::Disc);
  shape.axisA = {1, 0, 0};
  shape.axisB = {0, 0, 1};
  shape.radius = 2.0f;
  shape.velocity = {0, 0.05f, 0};
  shape.spread = 0.5f;
  shape.speed = 0.1f;
  shape.speedVar = 0.05f;
  shape.orbitRadius = 0.3f;
  shape.orbitRadiusVar = 0.1f;
  shape.life = 100;
  shape.rate = static_cast<int32_t>(liveCount / 100);
  // Written and read back, so that the emitter has its curves as a scene's would.
  MemoryStream stream;
  shape.write(stream);
  stream.seek(0, SeekBegin);
  auto* emitter = new Emitter;
  emitter->read(stream);

  auto* system = new ParticleSystem;
  system->setMaxParticles(liveCount);
  system->setEmitter(emitter);
  return system;
}

// What draw does with a particle besides the OpenGL calls: the camera transform.
struct CameraSink {
  float camera[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, -1, -10, 1};
  float checksum = 0.0f;

  void operator()(const Particle&, const Color4& color, const Vec3& p, float size) {
    const float ex = camera[0] * p.x + camera[4] * p.y + camera[8] * p.z + camera[12];
    const float ey = camera[1] * p.x + camera[5] * p.y + camera[9] * p.z + camera[13];
    const float ez = camera[2] * p.x + camera[6] * p.y + camera[10] * p.z + camera[14];
    checksum += ex + ey + ez + size + color.a;
  }
};

template <class Walk>
void runSteps(benchmark::State& state, Walk walk) {
  const auto liveCount = static_cast<uint32_t>(state.range(0));
  Random::seed(1);
  ParticleSystem* system = makeSystem(liveCount);
  CameraSink sink;
  // Into the steady state: full, with the first particles dying.
  for (int i = 0; i < 150; ++i) {
    system->update();
    walk(*system, sink);
  }
  for (auto _ : state) {
    system->update();
    walk(*system, sink);
  }
  benchmark::DoNotOptimize(sink.checksum);
  state.counters["live"] = static_cast<double>(system->particles().size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(system->particles().size()));
  ObjectRegistry::instance().destroyAll();
}

void BM_Step(benchmark::State& state) {
  runSteps(state, [](ParticleSystem& system, CameraSink& sink) { system.walk(sink); });
}
BENCHMARK(BM_Step)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same step with the sink behind std::function, the alternative the walk's template avoids.
void BM_StepStdFunctionSink(benchmark::State& state) {
  runSteps(state, [](ParticleSystem& system, CameraSink& sink) {
    const std::function<void(const Particle&, const Color4&, const Vec3&, float)> call = std::ref(sink);
    system.walk(call);
  });
}
BENCHMARK(BM_StepStdFunctionSink)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Heap per live particle: the bytes asked of operator new, and the allocator's footprint
// (mallinfo2: chunk headers and rounding included) while the system is filled.
void BM_BytesPerLiveParticle(benchmark::State& state) {
  const auto liveCount = static_cast<uint32_t>(state.range(0));
  double requested = 0;
  double footprint = 0;
  double blocks = 0;
  for (auto _ : state) {
    ParticleSystem* system = makeSystem(liveCount);
    system->emitter()->rate = 65535;
    const uint64_t bytesBefore = allocatedBytes.load();
    const uint64_t allocationsBefore = allocations.load();
    const size_t heapBefore = mallinfo2().uordblks;
    while (system->particles().size() < liveCount) {
      system->update();
    }
    requested = static_cast<double>(allocatedBytes.load() - bytesBefore) / liveCount;
    blocks = static_cast<double>(allocations.load() - allocationsBefore) / liveCount;
    footprint = static_cast<double>(mallinfo2().uordblks - heapBefore) / liveCount;
    ObjectRegistry::instance().destroyAll();
  }
  state.counters["requested_bytes"] = requested;
  state.counters["heap_bytes"] = footprint;
  state.counters["allocations"] = blocks;
}
BENCHMARK(BM_BytesPerLiveParticle)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

// scene_soak: runs each scene given for many steps as the screensaver runs it (update, then the
// particle walk of draw) and samples the live count and the process's memory, to show that a run
// of hours does not grow once its particle count has settled.
//   scene_soak [--steps N] [--every K] SCENE.psf...
// Prints one table per scene and a verdict line; exits 1 when memory grew after settling by more
// than the live count explains (kSlackBytes of allocator noise allowed).

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Random.h"
#include "core/vtException.h"
#include "scene/ParticleSystem.h"
#include "tools/commands/LoadedScene.h"

namespace {

// Heap bytes one more live particle may cost, so that a live count that still rises is not taken
// for growth: its 88-byte record in the pool's blocks and up to 16 bytes for its pointer while the
// list's array doubles, with room for the allocator's headers (bench/ParticleSystemBench measures
// 97 on average). The pool keeps its blocks when the count falls, so a falling count frees nothing.
constexpr long long kBytesPerParticle = 112;
// Allocator and page-cache noise allowed on top: a leak of a few bytes per step over a million
// steps is far beyond it.
constexpr long long kSlackBytes = 1 << 20;

struct Sample {
  unsigned long long step;
  size_t live;
  long long rssBytes;
  long long heapBytes;
};

long long residentBytes() {
  long long pages = 0;
  long long resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%lld %lld", &pages, &resident) != 2) {
      resident = 0;
    }
    std::fclose(statm);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

long long heapBytes() { return static_cast<long long>(mallinfo2().uordblks); }

// Returns true when the scene's memory stayed flat after its live count settled.
bool soak(const std::string& path, unsigned long long steps, unsigned long long every) {
  const LoadedScene scene(path);
  ParticleSystem& system = scene.system();
  Random::seed(1);
  std::vector<Sample> samples;
  float checksum = 0.0f;
  std::printf("scene %s: %llu steps, particle limit %u\n%12s %9s %12s %12s\n", path.c_str(), steps,
              system.maxParticles(), "step", "live", "rss_kib", "heap_kib");
  for (unsigned long long step = 1; step <= steps; ++step) {
    system.update();
    system.walk([&checksum](const Particle&, const Color4& color, const Vec3& drawn, float size) {
      checksum += color.a + drawn.y + size;
    });
    if (step % every == 0 || step == steps) {
      samples.push_back({step, system.particles().size(), residentBytes(), heapBytes()});
      const Sample& s = samples.back();
      std::printf("%12llu %9zu %12lld %12lld\n", s.step, s.live, s.rssBytes / 1024, s.heapBytes / 1024);
      std::fflush(stdout);
    }
  }
  // Settled: the first sample whose live count comes within 5% of the largest the run reached.
  size_t most = 0;
  for (const Sample& s : samples) {
    most = std::max(most, s.live);
  }
  const Sample* settled = &samples.front();
  for (const Sample& s : samples) {
    if (s.live * 20 >= most * 19) {
      settled = &s;
      break;
    }
  }
  const Sample& last = samples.back();
  long long rssPeak = 0;
  long long heapPeak = 0;
  for (const Sample* s = settled; s <= &last; ++s) {
    rssPeak = std::max(rssPeak, s->rssBytes);
    heapPeak = std::max(heapPeak, s->heapBytes);
  }
  const long long heapGrowth = heapPeak - settled->heapBytes;
  const long long rssGrowth = rssPeak - settled->rssBytes;
  // Memory may still rise by the particles the count grows by after settling.
  const long long allowed = kSlackBytes + static_cast<long long>(most - settled->live) * kBytesPerParticle;
  const bool flat = heapGrowth <= allowed && rssGrowth <= allowed;
  std::printf("settled at step %llu with %zu live (most %zu); after it: RSS %lld -> peak %lld KiB (%+lld KiB), "
              "heap %lld -> peak %lld KiB (%+lld KiB); %s (checksum %g)\n",
              settled->step, settled->live, most, settled->rssBytes / 1024, rssPeak / 1024, rssGrowth / 1024,
              settled->heapBytes / 1024, heapPeak / 1024, heapGrowth / 1024, flat ? "flat" : "GROWS",
              static_cast<double>(checksum));
  return flat;
}

unsigned long long number(const char* text) {
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (end == text || *end != '\0' || value == 0) {
    std::fprintf(stderr, "scene_soak: '%s' is not a positive whole number\n", text);
    std::exit(1);
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long steps = 1000000;
  unsigned long long every = 10000;
  std::vector<std::string> scenes;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--steps") == 0 && i + 1 < argc) {
      steps = number(argv[++i]);
    } else if (std::strcmp(argv[i], "--every") == 0 && i + 1 < argc) {
      every = number(argv[++i]);
    } else if (argv[i][0] == '-') {
      // Help, or an option this tool does not know: the usage below, not a scene of that name.
      scenes.clear();
      break;
    } else {
      // Loading a scene makes its folder the current directory.
      scenes.push_back(std::filesystem::absolute(argv[i]).string());
    }
  }
  if (scenes.empty()) {
    std::fputs("usage: scene_soak [--steps N] [--every K] SCENE.psf...\n", stderr);
    return 1;
  }
  bool flat = true;
  for (const std::string& scene : scenes) {
    try {
      flat = soak(scene, steps, every) && flat;
    } catch (const vtException& e) {
      std::fprintf(stderr, "%s: %s\n", scene.c_str(), e.text);
      flat = false;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      flat = false;
    }
  }
  return flat ? 0 : 1;
}

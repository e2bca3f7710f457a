// Time and peak memory of loading hostile scene files under 1 MiB, compressed or not, as the
// screensaver loads them (gzip stream, image read and texture made in a current context): the
// scene at every limit, the same behind a gzip bomb, and the largest pictures such a file can
// make the loader build. peak_rss_mib is the process's peak resident size during one load above
// its size before it (Linux: /proc/self/status VmHWM after a reset through clear_refs); it
// includes what Mesa allocates for the texture.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/ObjectRegistry.h"
#include "scene/SceneLoader.h"
#include "support/Bytes.h"
#include "support/ImageBytes.h"
#include "support/SceneBytes.h"
#include "tools/headless/EglContext.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMiB = 1 << 20;

long long statusKib(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) {
      return std::stoll(line.substr(prefix.size()));
    }
  }
  return 0;
}

void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The bytes gzip-compressed, then `zeros` zero bytes compressed behind them: the file stays small
// while it unpacks to far more than anything reads.
void writeGz(const fs::path& path, const std::vector<uint8_t>& bytes, size_t zeros) {
  gzFile file = gzopen(path.c_str(), "wb9");
  gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size()));
  const std::vector<uint8_t> block(kMiB, 0);
  for (size_t done = 0; done < zeros; done += block.size()) {
    gzwrite(file, block.data(), static_cast<unsigned>(block.size()));
  }
  gzclose(file);
}

std::vector<uint8_t> sceneNaming(const char (&tag)[5], const char* picture) {
  SystemBody body;
  body.limit = 100;
  body.emitter = fountainEmitter(1, 10, 50);
  body.image = imageChild(tag, picture);
  return sceneFile(body.bytes()).data();
}

// The hostile files, written once into a private folder that becomes the current directory.
class HostileFiles {
 public:
  static const HostileFiles& instance() {
    static const HostileFiles files;
    return files;
  }

  const fs::path folder = fs::temp_directory_path() / "ostrel-load-bench";
  EglContext context{1, 1};

 private:
  HostileFiles() {
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::current_path(folder);
    writeBytes("limits.psf", sceneFile(systemAtTheLimits().bytes()).data());
    writeGz("limits.psf.gz", sceneFile(systemAtTheLimits().bytes()).data(), 0);
    // 1,000 MiB of zeros behind the scene: under 1 MiB on disk.
    writeGz("bomb.psf.gz", sceneFile(systemAtTheLimits().bytes()).data(), 1000 * kMiB);

    // A compressed 2048 x 2048 bitmap of a few bytes: converted to a black copy of its full size.
    BmpFile compressed;
    compressed.width = 2048;
    compressed.height = 2048;
    compressed.bitCount = 8;
    compressed.compression = 1;
    compressed.imageSize = 16;
    compressed.pixels = patternBytes(16);
    writeBytes("compressed.bmp", compressed.bytes());
    writeBytes("compressed-bmp.psf", sceneNaming("IBMP", "compressed.bmp"));
    // The largest 24-bit bitmap under 1 MiB: 590 x 590, rows padded to 1,772 bytes.
    BmpFile rgb;
    rgb.width = 590;
    rgb.height = 590;
    rgb.pixels = patternBytes(1772 * 590);
    writeBytes("rgb.bmp", rgb.bytes());
    writeBytes("rgb-bmp.psf", sceneNaming("IBMP", "rgb.bmp"));
    // The largest 32-bit Targa under 1 MiB, and the widest 24-bit one.
    writeBytes("rgba.tga", tgaFile(512, 511, 32, patternBytes(512 * 511 * 4)));
    writeBytes("rgba-tga.psf", sceneNaming("ITGA", "rgba.tga"));
    writeBytes("wide.tga", tgaFile(2048, 170, 24, patternBytes(2048 * 170 * 3)));
    writeBytes("wide-tga.psf", sceneNaming("ITGA", "wide.tga"));
  }
};

// file_kib is the size of the hostile file: the scene, or the picture it names.
void loadScene(benchmark::State& state, const char* name, const char* hostile) {
  const HostileFiles& files = HostileFiles::instance();
  const auto size = static_cast<double>(fs::file_size(files.folder / hostile));
  double peakKib = 0;
  for (auto _ : state) {
    // Freed memory goes back to the system first, so that the load's own pages show.
    malloc_trim(0);
    resetPeak();
    const long long before = statusKib("VmRSS");
    benchmark::DoNotOptimize(SceneLoader::instance().load(name, true));
    peakKib = std::max(peakKib, static_cast<double>(statusKib("VmHWM") - before));
    ObjectRegistry::instance().destroyAll();
  }
  state.counters["file_kib"] = size / 1024;
  state.counters["peak_rss_mib"] = peakKib / 1024;
}

void BM_LoadAtEveryLimit(benchmark::State& state) { loadScene(state, "limits.psf", "limits.psf"); }
void BM_LoadAtEveryLimitGzip(benchmark::State& state) { loadScene(state, "limits.psf.gz", "limits.psf.gz"); }
void BM_LoadGzipBomb(benchmark::State& state) { loadScene(state, "bomb.psf.gz", "bomb.psf.gz"); }
void BM_LoadCompressedBitmap2048(benchmark::State& state) { loadScene(state, "compressed-bmp.psf", "compressed.bmp"); }
void BM_LoadLargestRgbBitmap(benchmark::State& state) { loadScene(state, "rgb-bmp.psf", "rgb.bmp"); }
void BM_LoadLargestRgbaTarga(benchmark::State& state) { loadScene(state, "rgba-tga.psf", "rgba.tga"); }
void BM_LoadWidestTarga(benchmark::State& state) { loadScene(state, "wide-tga.psf", "wide.tga"); }

BENCHMARK(BM_LoadAtEveryLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAtEveryLimitGzip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGzipBomb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCompressedBitmap2048)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargestRgbBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargestRgbaTarga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWidestTarga)->Unit(benchmark::kMillisecond);

}  // namespace

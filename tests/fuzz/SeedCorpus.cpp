// Writes the fuzz targets' seed corpora and dictionaries: `fuzz_seeds DIR [SCENE.psf...]` writes
// DIR/<target>/<seed> for every target and DIR/<target>.dict where a target has one; the scenes
// named (the shipped ones) join the scene seeds. The committed corpus under tests/fuzz/corpus is
// this program's output: fuzz_seeds tests/fuzz/corpus build/native/scenes/*.psf

#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "FuzzWorkspace.h"
#include "core/ObjectRegistry.h"
#include "core/vtException.h"
#include "objfile/MemoryStream.h"
#include "scene/ParticleSystem.h"
#include "support/ImageBytes.h"
#include "support/SceneBytes.h"
#include "tools/textformat/SceneCompiler.h"
#include "tools/textformat/SceneSchema.h"

namespace fs = std::filesystem;

namespace {

using Seeds = std::map<std::string, std::vector<uint8_t>>;

std::vector<uint8_t> scene(const SystemBody& body) { return sceneFile(body.bytes()).data(); }

SystemBody fountain(int32_t shape) {
  SystemBody body;
  body.limit = 200;
  body.emitter = fountainEmitter(shape, 8, 60);
  return body;
}

// Every stored float of the emitter, the shapes and the modifiers set to one value: NaN, the infinities, zero
// (zero-length axes, zero velocities) or a huge finite number.
SystemBody filledWith(float value) {
  SystemBody body;
  body.limit = 100;
  body.emitter = emitterFilledWith(value, 8, 5, 40);
  body.shapeCount = kShapeClassCount;
  body.shapes = everyShapeFilledWith(value);
  body.modifierCount = kModifierClassCount;
  body.modifiers = everyModifierFilledWith(value);
  return body;
}

Seeds sceneSeeds() {
  Seeds seeds;
  seeds["minimal"] = scene(SystemBody());
  seeds["no-root"] = Bytes().tag("PSHD").u32(0).data();
  seeds["emitter-root"] = Bytes().tag("PSHD").raw(fountainEmitter(1, 1, 1).data()).data();
  const std::pair<const char*, int32_t> shapes[] = {{"point", 1}, {"line", 2},  {"parallelogram", 4}, {"disc", 8},
                                                    {"box", 22},  {"ring", 50}, {"unknown-shape", 7}};
  for (const auto& [name, shape] : shapes) {
    seeds[std::string("emitter-") + name] = scene(fountain(shape));
  }
  SystemBody withShapes = fountain(8);
  withShapes.shapeCount = kShapeClassCount;
  withShapes.shapes = everyShape();
  seeds["every-shape"] = scene(withShapes);
  SystemBody withModifiers = fountain(22);
  withModifiers.modifierCount = kModifierClassCount;
  withModifiers.modifiers = everyModifier();
  seeds["every-modifier"] = scene(withModifiers);
  SystemBody everything = withShapes;
  everything.modifierCount = kModifierClassCount;
  everything.modifiers = everyModifier();
  everything.image = imageChild("IBMP", FuzzWorkspace::kBitmapName);
  seeds["everything"] = scene(everything);
  SystemBody bitmap = fountain(1);
  bitmap.image = imageChild("IBMP", FuzzWorkspace::kBitmapName);
  seeds["bitmap-image"] = scene(bitmap);
  SystemBody targa = fountain(1);
  targa.image = imageChild("ITGA", FuzzWorkspace::kTargaName);
  seeds["targa-image"] = scene(targa);
  seeds["nan"] = scene(filledWith(std::numeric_limits<float>::quiet_NaN()));
  seeds["infinity"] = scene(filledWith(std::numeric_limits<float>::infinity()));
  seeds["minus-infinity"] = scene(filledWith(-std::numeric_limits<float>::infinity()));
  seeds["zero"] = scene(filledWith(0.0f));
  seeds["huge"] = scene(filledWith(3e38f));
  // The largest particle limit, a rate beyond 16 bits, the longest life.
  SystemBody limits;
  limits.limit = 1000000;
  limits.emitter = fountainEmitter(1, 65537, 2147483647);
  seeds["limits"] = scene(limits);
  return seeds;
}

// The whole input gzip-compressed, as a file on disk would hold it.
std::vector<uint8_t> gzipped(const std::vector<uint8_t>& bytes) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&stream, bytes.size()));
  stream.next_in = const_cast<Bytef*>(bytes.data());
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// The gzip target's first byte: even compresses the rest, odd hands it over as it stands.
Seeds gzSeeds(const Seeds& scenes) {
  Seeds seeds;
  for (const auto& [name, bytes] : scenes) {
    std::vector<uint8_t> seed{0};
    seed.insert(seed.end(), bytes.begin(), bytes.end());
    seeds[name] = seed;
  }
  std::vector<uint8_t> plain{1};
  const std::vector<uint8_t>& minimal = scenes.at("minimal");
  plain.insert(plain.end(), minimal.begin(), minimal.end());
  seeds["raw-plain"] = plain;
  std::vector<uint8_t> compressed{1};
  const std::vector<uint8_t> gz = gzipped(scenes.at("every-shape"));
  compressed.insert(compressed.end(), gz.begin(), gz.end());
  seeds["raw-gzip"] = compressed;
  return seeds;
}

Seeds simulationSeeds(const Seeds& scenes) {
  Seeds seeds;
  for (const auto& [name, bytes] : scenes) {
    if (name != "no-root" && name != "emitter-root" && name != "minimal") {
      seeds[name] = bytes;
    }
  }
  // The costliest scene the target runs: as many pairwise gravity modifiers as it takes, every
  // particle it allows alive at once.
  SystemBody gravity;
  gravity.limit = ParticleSystem::kMaxParticles;
  gravity.emitter = fountainEmitter(1, 65535, 1000000);
  for (gravity.modifierCount = 0; gravity.modifierCount < static_cast<int32_t>(kSimulationObjectCap);
       ++gravity.modifierCount) {
    gravity.modifiers.tag("MGRV").f32(0.001f).f32(1000.0f);
  }
  seeds["gravity-at-the-cap"] = scene(gravity);
  return seeds;
}

BmpFile bitmap(int32_t width, int32_t height, uint16_t bitCount, size_t pixelBytes) {
  BmpFile file;
  file.width = width;
  file.height = height;
  file.bitCount = bitCount;
  file.pixels = patternBytes(pixelBytes);
  return file;
}

Seeds bitmapSeeds() {
  Seeds seeds;
  seeds["rgb-2x2"] = bitmap(2, 2, 24, 16).bytes();
  seeds["rgb-3x2"] = bitmap(3, 2, 24, 24).bytes();
  BmpFile topDown = bitmap(2, -2, 24, 16);
  seeds["rgb-top-down"] = topDown.bytes();
  BmpFile sized = bitmap(1, 1, 24, 8);
  sized.imageSize = 8;
  seeds["rgb-image-size"] = sized.bytes();
  BmpFile palette = bitmap(4, 4, 8, 16);
  palette.palette = patternBytes(4 * 256);
  seeds["palette-8bit"] = palette.bytes();
  seeds["mono-1bit"] = bitmap(8, 2, 1, 8).bytes();
  seeds["rgb-16bit"] = bitmap(2, 2, 16, 8).bytes();
  seeds["rgba-32bit"] = bitmap(2, 2, 32, 16).bytes();
  BmpFile compressed = bitmap(4, 4, 8, 10);
  compressed.compression = 1;
  compressed.imageSize = 10;
  seeds["rle-8bit"] = compressed.bytes();
  std::vector<uint8_t> header = bitmap(2, 2, 24, 16).bytes();
  header.resize(20);
  seeds["truncated"] = header;
  return seeds;
}

Seeds targaSeeds() {
  Seeds seeds;
  seeds["rgb-1x1"] = tgaFile(1, 1, 24, {10, 20, 30});
  seeds["rgba-2x2"] = tgaFile(2, 2, 32, patternBytes(16));
  seeds["rgb-3x2"] = tgaFile(3, 2, 24, patternBytes(18));
  std::vector<uint8_t> topLeft = tgaFile(2, 1, 24, patternBytes(6));
  topLeft[17] = 0x20;
  seeds["rgb-top-left"] = topLeft;
  std::vector<uint8_t> footer = tgaFile(1, 2, 32, patternBytes(8));
  const std::string signature = "TRUEVISION-XFILE.";
  footer.insert(footer.end(), 8, 0);
  footer.insert(footer.end(), signature.begin(), signature.end());
  footer.push_back(0);
  seeds["rgba-footer"] = footer;
  std::vector<uint8_t> shortFile = tgaFile(4, 4, 24, patternBytes(20));
  seeds["short"] = shortFile;
  return seeds;
}

// The scene seeds that decompile, as text: every class and field the format has.
Seeds compileSeeds(const Seeds& scenes) {
  Seeds seeds;
  for (const auto& [name, bytes] : scenes) {
    try {
      MemoryStream stream(bytes);
      const std::string text = SceneCompiler::decompile(stream);
      seeds[name + ".toml"] = std::vector<uint8_t>(text.begin(), text.end());
    } catch (const vtException&) {
      // A root that is not a particle system has no text.
    }
  }
  ObjectRegistry::instance().destroyAll();
  return seeds;
}

// The words of the text format for the compile target: the tables, every class and field name
// and the named values, so that mutations build keys the reader knows.
std::string compileDictionary() {
  std::vector<std::string> words = {"[system]", "[emitter]", "[emitter.colorCurve]", "[emitter.sizeCurve]",
                                    "[[shapes]]", "[[modifiers]]", "[image]", "type", "resolution", "keys",
                                    "percent", "color", "value", " = ", "[", "]", "{ ", " }", ", ", "\"",
                                    "nan", "inf", "-inf", "1e38", "0x", "true"};
  for (const ClassSchema& schema : SceneSchema::classes()) {
    words.emplace_back(schema.name);
    for (const FieldSchema& field : schema.fields) {
      words.emplace_back(field.name);
      for (const NamedValue& named : field.names) {
        words.emplace_back(named.name);
      }
    }
  }
  std::string dictionary;
  for (const std::string& word : words) {
    std::string escaped;
    for (char c : word) {
      escaped += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    }
    dictionary += "\"" + escaped + "\"\n";
  }
  return dictionary;
}

// A scene file's bytes as the loader sees them: gzip data unpacked, plain data as it stands.
std::vector<uint8_t> unpacked(const char* path) {
  std::vector<uint8_t> bytes;
  gzFile file = gzopen(path, "rb");
  if (file == nullptr) {
    return bytes;
  }
  uint8_t block[4096];
  int got = 0;
  while ((got = gzread(file, block, sizeof block)) > 0) {
    bytes.insert(bytes.end(), block, block + got);
  }
  gzclose(file);
  return bytes;
}

void write(const fs::path& folder, const Seeds& seeds) {
  fs::create_directories(folder);
  for (const auto& [name, bytes] : seeds) {
    writeBytes((folder / name).string(), bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // An option here is a request for help, never a folder to write into.
  if (argc < 2 || argv[1][0] == '-') {
    std::fputs("usage: fuzz_seeds DIR [SCENE.psf...]   (writes DIR/<target>/<seed>; scenes named, plain or\n"
               "gzip, join the scene seeds as shipped-<name>)\n",
               stderr);
    return 1;
  }
  const fs::path root = argv[1];
  Seeds scenes = sceneSeeds();
  for (int i = 2; i < argc; ++i) {
    const std::vector<uint8_t> bytes = unpacked(argv[i]);
    if (bytes.empty()) {
      std::fprintf(stderr, "fuzz_seeds: cannot read %s\n", argv[i]);
      return 1;
    }
    scenes["shipped-" + fs::path(argv[i]).stem().string()] = bytes;
  }
  write(root / "scene", scenes);
  write(root / "scene_gz", gzSeeds(scenes));
  write(root / "simulation", simulationSeeds(scenes));
  write(root / "bitmap", bitmapSeeds());
  write(root / "targa", targaSeeds());
  write(root / "compile", compileSeeds(scenes));
  std::ofstream(root / "compile.dict") << compileDictionary();
  return 0;
}

#include "FuzzTargets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "FuzzWorkspace.h"
#include "core/ObjectRegistry.h"
#include "core/OpenGl.h"
#include "core/Random.h"
#include "core/vtException.h"
#include "images/BmpImage.h"
#include "images/TgaImage.h"
#include "objfile/MemoryStream.h"
#include "objfile/StreamFactory.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "support/SceneBytes.h"
#include "tools/textformat/SceneCompiler.h"
#include "tools/textformat/SceneTextReader.h"

namespace {

constexpr const char* kInputName = "input.psf";
// The source name compile errors must name.
constexpr const char* kTextName = "fuzz.toml";

std::string inputLabel = "(fuzzer input)";

[[noreturn]] void broken(const std::string& what) {
  std::fprintf(stderr, "fuzz invariant broken on %s: %s\n", inputLabel.c_str(), what.c_str());
  std::abort();
}

// The invariant: success, or the system's exception with one of its codes and that code's text.
template <class Body>
void guarded(Body&& body) {
  try {
    body();
  } catch (const vtException& e) {
    const auto code = static_cast<int32_t>(e.code);
    if (code < 0 || code >= kErrorCount || e.text != kErrorMessages[code]) {
      broken("vtException with code " + std::to_string(code));
    }
  } catch (const std::exception& e) {
    broken(std::string("exception other than vtException: ") + e.what());
  } catch (...) {
    broken("exception other than vtException");
  }
}

// What a scene that loads writes must load again and write the same bytes: nothing read is lost
// or changed on the way back. (The first write may differ from the input where the format
// normalises: keys sorted by percent, a list count below 0 written as 0, a triangle's mode.)
// Returns what it wrote.
std::vector<uint8_t> checkWritesBack(const PsfObject* root) {
  const std::vector<uint8_t> first = writtenScene(root);
  std::vector<uint8_t> second;
  try {
    MemoryStream stream(first);
    second = writtenScene(SceneLoader::instance().load(stream));
  } catch (const vtException& e) {
    broken(std::string("a loaded scene, written back, does not load: ") + e.text);
  }
  if (first != second) {
    broken("a loaded scene, written back and loaded again, writes different bytes");
  }
  return first;
}

// Loads the scene and checks that it writes back; returns what it wrote when its root is a
// particle system or none (the scenes decompile takes), else nothing.
std::vector<uint8_t> loadAndCheck(Stream& stream) {
  const PsfObject* root = SceneLoader::instance().load(stream);
  std::vector<uint8_t> bytes = checkWritesBack(root);
  if (root != nullptr && dynamic_cast<const ParticleSystem*>(root) == nullptr) {
    return {};
  }
  return bytes;
}

// Text the tools made must compile: a mistake is the tools', not the input's.
std::vector<uint8_t> compiledOrBroken(const std::string& text, const char* what) {
  try {
    return SceneCompiler::compile(text, kTextName);
  } catch (const SceneTextError& e) {
    broken(std::string(what) + " does not compile: " + e.what());
  } catch (const vtException& e) {
    broken(std::string(what) + " does not compile: " + e.text);
  }
}

// What compile made decompiles to text that compiles to the same bytes.
void checkDecompilesBack(const std::vector<uint8_t>& compiled) {
  std::string text;
  try {
    MemoryStream stream(compiled);
    text = SceneCompiler::decompile(stream);
  } catch (const vtException& e) {
    broken(std::string("compiled bytes do not decompile: ") + e.text);
  }
  if (compiledOrBroken(text, "decompiled text") != compiled) {
    broken("compiled bytes decompile to text that compiles to other bytes");
  }
}

// psftool decompile on the same bytes as the loader: it refuses only what the engine refuses, and
// its text compiles to a scene the engine reads to what it read from the input.
void checkDecompile(const uint8_t* data, size_t size, const std::vector<uint8_t>& loaded) {
  std::string text;
  try {
    MemoryStream stream(std::vector<uint8_t>(data, data + size));
    text = SceneCompiler::decompile(stream);
  } catch (const vtException&) {
    if (!loaded.empty()) {
      broken("decompile refuses a scene the engine loads");
    }
    throw;
  }
  const std::vector<uint8_t> compiled = compiledOrBroken(text, "decompiled text");
  checkDecompilesBack(compiled);
  if (!loaded.empty()) {
    MemoryStream stream(compiled);
    if (writtenScene(SceneLoader::instance().load(stream)) != loaded) {
      broken("the decompiled scene loads to other values than the scene");
    }
  }
}

// Runs one input's body under the invariant with file names confined to the workspace, then
// destroys every object it made.
template <class Body>
void runInput(Body&& body) {
  FuzzWorkspace::instance();
  {
    const FuzzWorkspace::Confined confined;
    guarded(body);
  }
  ObjectRegistry::instance().destroyAll();
}

template <class ImageClass>
void loadImage(const uint8_t* data, size_t size, bool (*holdsItsPixels)(const ImageClass&)) {
  FuzzWorkspace::instance().writeFile(kInputName, data, size);
  runInput([&] {
    ImageClass image;
    try {
      image.loadFile(kInputName);
    } catch (const vtException&) {
      if (image.loadState() == ImageLoaded) {
        broken("a refused picture is marked loaded");
      }
      throw;
    }
    if (image.width() < 0 || image.width() > kMaxImageSide || std::abs(image.height()) > kMaxImageSide) {
      broken("a loaded picture is larger than the side limit");
    }
    if (!holdsItsPixels(image)) {
      broken("a loaded picture holds fewer pixel bytes than its texture reads");
    }
    GLuint texture = image.createTexture();
    glDeleteTextures(1, &texture);
  });
}

// The texture copy reads 3 * width bytes per row, rows padded to 4, of uncompressed 24-bit data.
bool bitmapHoldsItsPixels(const BmpImage& image) {
  const size_t stride = (3 * static_cast<size_t>(image.width()) + 3) & ~static_cast<size_t>(3);
  const bool converted = image.compression() == 0 && image.bitCount() == 24;
  const size_t read = converted ? stride * static_cast<size_t>(std::abs(image.height())) : 0;
  return image.pixels().size() == static_cast<size_t>(image.pixelSize()) && image.pixels().size() >= read;
}

bool targaHoldsItsPixels(const TgaImage& image) {
  return image.rgba().size() == static_cast<size_t>(image.width()) * static_cast<size_t>(image.height()) * 4;
}

}  // namespace

const std::vector<FuzzTarget>& fuzzTargets() {
  static const std::vector<FuzzTarget> targets = {
      {"scene", fuzzScene},   {"scene_gz", fuzzGzScene},        {"bitmap", fuzzBitmap},
      {"targa", fuzzTarga},   {"simulation", fuzzSimulation}, {"compile", fuzzCompile},
  };
  return targets;
}

void setFuzzInputLabel(const std::string& label) { inputLabel = label; }

void fuzzScene(const uint8_t* data, size_t size) {
  FuzzWorkspace::instance().writeFile(kInputName, data, size);
  std::vector<uint8_t> loaded;
  runInput([&] {
    const std::unique_ptr<Stream> stream = StreamFactory::instance().openFile(kInputName);
    loaded = loadAndCheck(*stream);
  });
  runInput([&] { checkDecompile(data, size, loaded); });
}

void fuzzGzScene(const uint8_t* data, size_t size) {
  if (size == 0) {
    return;
  }
  const FuzzWorkspace& workspace = FuzzWorkspace::instance();
  if (data[0] % 2 == 0) {
    workspace.writeGzFile(kInputName, data + 1, size - 1);
  } else {
    workspace.writeFile(kInputName, data + 1, size - 1);
  }
  runInput([] {
    const std::unique_ptr<Stream> stream = StreamFactory::instance().openGzFile(kInputName);
    loadAndCheck(*stream);
  });
}

void fuzzBitmap(const uint8_t* data, size_t size) { loadImage<BmpImage>(data, size, bitmapHoldsItsPixels); }

void fuzzTarga(const uint8_t* data, size_t size) { loadImage<TgaImage>(data, size, targaHoldsItsPixels); }

void fuzzSimulation(const uint8_t* data, size_t size) {
  runInput([&] {
    MemoryStream stream(std::vector<uint8_t>(data, data + size));
    auto* system = dynamic_cast<ParticleSystem*>(SceneLoader::instance().load(stream));
    if (system == nullptr || system->shapes().size() + system->modifiers().size() > kSimulationObjectCap) {
      return;
    }
    system->setMaxParticles(std::min(system->maxParticles(), kSimulationParticleCap));
    Random::seed(1);
    for (int step = 0; step < kSimulationSteps; ++step) {
      system->update();
      if (system->particles().size() > system->maxParticles()) {
        broken("more live particles than the limit");
      }
      system->walk([](const Particle& particle, const Color4&, const Vec3&, float) {
        if (particle.lifeLeft < 0 || particle.lifeLeft >= particle.lifeTotal) {
          broken("a drawn particle's life is not counting down from its total");
        }
      });
    }
    // Whatever the numbers have become, OpenGL is handed them once.
    system->draw();
    glFinish();
  });
}

void fuzzCompile(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  runInput([&] {
    std::vector<uint8_t> compiled;
    try {
      compiled = SceneCompiler::compile(text, kTextName);
    } catch (const SceneTextError& e) {
      // A mistake in the text is reported with its place: FILE:LINE:COLUMN or FILE alone.
      if (std::string(e.what()).rfind(std::string(kTextName) + ":", 0) != 0) {
        broken(std::string("a text error that does not name the file: ") + e.what());
      }
      return;
    }
    checkDecompilesBack(compiled);
  });
}

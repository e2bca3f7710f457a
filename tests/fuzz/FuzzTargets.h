#pragma once
// The fuzz targets' drivers, shared by the libFuzzer programs and by the unit test that replays
// the seed corpora and every input that once failed.
//
// The invariant each driver checks: the call either succeeds or throws vtException with one of
// the seventeen codes (compile may also report a mistake in the text, naming its place). Any other exception, a code outside them, or a broken property of what was
// loaded prints what broke and aborts the process, as a sanitizer finding does. Every object the
// input made is destroyed before the driver returns, so a leak is the leak checker's to see.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FuzzTarget {
  // The folder name of its corpus and regressions, and the libFuzzer program's suffix.
  const char* name;
  void (*run)(const uint8_t* data, size_t size);
};

const std::vector<FuzzTarget>& fuzzTargets();

// Named in the message of a broken invariant; the replay test sets it to the file it runs.
void setFuzzInputLabel(const std::string& label);

// The scene file as it stands, through the plain file stream; then psftool decompile on the same
// bytes, whose text must compile to a scene the engine reads as it read the file.
void fuzzScene(const uint8_t* data, size_t size);
// The scene file through the gzip stream, as the screensaver opens it. An even first byte has the
// rest gzip-compressed first (the loader then sees intact gzip data); an odd one gives the rest to
// the gzip stream as it stands (damaged gzip data, or plain bytes, which the stream passes
// through).
void fuzzGzScene(const uint8_t* data, size_t size);
// A bitmap file loaded and turned into a texture.
void fuzzBitmap(const uint8_t* data, size_t size);
// A Targa file loaded and turned into a texture.
void fuzzTarga(const uint8_t* data, size_t size);
// A scene loaded from the bytes and run for kSimulationSteps steps (update and particle walk),
// then drawn once.
void fuzzSimulation(const uint8_t* data, size_t size);

// psftool compile on the bytes as scene text: the scene's bytes, or a SceneTextError naming the
// place; what compiles decompiles to text that compiles to the same bytes.
void fuzzCompile(const uint8_t* data, size_t size);

// A run of a few hundred steps within the one-second budget of an input, even under the
// sanitizers: the particle limit is lowered to kSimulationParticleCap, and scenes with more than
// kSimulationObjectCap shapes and modifiers are only loaded (a step costs particles times objects,
// and pairwise gravity particles squared). The loader targets cover those scenes' reading.
constexpr int kSimulationSteps = 300;
constexpr uint32_t kSimulationParticleCap = 32;
constexpr size_t kSimulationObjectCap = 16;

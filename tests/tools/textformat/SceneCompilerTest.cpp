#include <gtest/gtest.h>

#include <algorithm>

#include "core/FloatBits.h"
#include "core/ObjectRegistry.h"
#include "core/vtException.h"
#include "objfile/MemoryStream.h"
#include "particles/LifeCurve.h"
#include "scene/ParticleSystem.h"
#include "support/Bytes.h"
#include "tools/textformat/SceneCompiler.h"
#include "tools/textformat/SceneTextWriter.h"

namespace {

// Every class the format knows, with values that are not the defaults where that is possible.
const char kEveryClass[] = R"([system]
maxParticles = 3000

[emitter]
origin = [0.0, 1.5, -2.0]
axisA = [1.0, 0.0, 0.0]
axisB = [0.0, 0.0, 1.0]
velocity = [0.0, 0.02, 0.0]
particleAux = [0.5, 0.25, 0.125]
rate = 12
spread = 0.01
radius = 2.0
orbitAngle = 0.0
orbitAngleVar = 3.1415927
speed = 0.05
speedVar = 0.01
orbitRadius = 0.1
orbitRadiusVar = 0.05
life = 240
shape = "ring"

[emitter.colorCurve]
resolution = 256
keys = [
  { percent = 0, color = [1.0, 0.9, 0.5, 0.0] },
  { percent = 10, color = [1.0, 0.8, 0.3, 1.0] },
  { percent = 100, color = [0.2, 0.0, 0.0, 0.0] },
]

[emitter.sizeCurve]
resolution = 100
keys = [
  { percent = 0, value = 0.25 },
  { percent = 100, value = 1.5 },
]

[[shapes]]
type = "BoxBouncer"
boxMin = [-5.0, -1.0, -5.0]
boxMax = [5.0, 0.0, 5.0]
restitution = 0.5

[[shapes]]
type = "RectangleBouncer"
corners = [[-3.0, 0.0, -3.0], [3.0, 0.0, -3.0], [3.0, 0.0, 3.0], [-3.0, 0.0, 3.0]]
loss = 0.4

[[shapes]]
type = "TriangleBouncer"
vertices = [[0.0, 2.0, 0.0], [1.0, 2.0, 0.0], [0.0, 2.0, 1.0]]
restitution = 0.6
bounceMode = "graze"

[[shapes]]
type = "SphereBouncer"
centre = [0.0, 4.0, 0.0]
radius = 1.25
loss = 0.1
bounceMode = "mirror"

[[shapes]]
type = "CylinderBouncer"
endA = [0.0, 0.0, 0.0]
endB = [0.0, 10.0, 0.0]
radius = 0.75
restitution = 0.9

[[shapes]]
type = "none"

[[modifiers]]
type = "ForceModifier"
force = [0.0, -0.01, 0.0]

[[modifiers]]
type = "DampModifier"
factor = [0.99, 0.98, 0.99]
minSpeed = 0.001
maxSpeed = 5.0

[[modifiers]]
type = "BubbleModifier"
radius = 0.3
angleStep = 0.1
angleJitter = 0.05

[[modifiers]]
type = "ExplosionModifier"
centre = [0.0, 1.0, 0.0]
decay = 0.25

[[modifiers]]
type = "SphereModifier"
centre = [1.0, 2.0, 3.0]
falloff = 0.75

[[modifiers]]
type = "TubeModifier"
start = [0.0, -5.0, 0.0]
end = [0.0, 5.0, 0.0]
falloff = 0.2

[[modifiers]]
type = "FlowModifier"
centre = [0.0, 3.0, 0.0]
radius = 2.0
inertia = 0.9

[[modifiers]]
type = "GravityModifier"
strength = 0.001
radius = 50.0

[[modifiers]]
type = "AvoidBoxModifier"
boxMin = [-1.0, -1.0, -1.0]
boxMax = [1.0, 1.0, 1.0]
lookAhead = 20.0

[[modifiers]]
type = "AvoidQuadModifier"
cornerA = [-2.0, 1.0, -2.0]
cornerB = [2.0, 1.0, -2.0]
cornerC = [2.0, 1.0, 2.0]
cornerD = [-2.0, 1.0, 2.0]
lookAhead = 15.0

[[modifiers]]
type = "AvoidSphereModifier"
centre = [0.0, 6.0, 0.0]
radius = 2.0
lookAheadFactor = 8.0

[image]
type = "TgaImage"
fileName = "spark.tga"
)";

std::string decompile(const std::vector<uint8_t>& bytes) {
  MemoryStream stream(bytes);
  return SceneCompiler::decompile(stream);
}

std::vector<uint8_t> compile(const std::string& text) { return SceneCompiler::compile(text, "scene.toml"); }

ErrorCode decompileError(const std::vector<uint8_t>& bytes) {
  try {
    decompile(bytes);
  } catch (const vtException& e) {
    return e.code;
  }
  ADD_FAILURE() << "decompiled without error";
  return ErrorCode::NotEnoughMemory;
}

}  // namespace

TEST(SceneCompilerTest, EveryClassSurvivesCompileDecompileCompile) {
  const std::vector<uint8_t> first = compile(kEveryClass);
  const std::string text = decompile(first);
  EXPECT_EQ(compile(text), first);
  // Written out in full, the source is its own decompiled text.
  EXPECT_EQ(text, kEveryClass);
}

TEST(SceneCompilerTest, ProvingTheBytesThroughTheEngineLeavesNoObjectBehind) {
  const size_t before = ObjectRegistry::instance().size();
  EXPECT_FALSE(compile(kEveryClass).empty());
  EXPECT_EQ(ObjectRegistry::instance().size(), before);
}

TEST(SceneCompilerTest, DecompiledFloatsReadBackBitForBit) {
  // A spread of bit patterns: every exponent, random mantissas, NaNs with payloads and signs.
  std::vector<uint32_t> patterns = {0x00000000u,  0x80000000u,         0x00000001u,         0x807FFFFFu,
                                    0x7F7FFFFFu,  0xFF7FFFFFu,         0x7F800000u,         0xFF800000u,
                                    0x7FC00000u,  0xFFC00000u,         0x7F800001u,         0x7FFFFFFFu,
                                    bitsOf(0.1f), bitsOf(1.0f / 3.0f), bitsOf(16777217.0f), bitsOf(1e17f)};
  uint32_t state = 12345u;
  for (int i = 0; i < 6000; ++i) {
    state = state * 1664525u + 1013904223u;
    patterns.push_back(state);
  }
  while (patterns.size() % 3 != 0) {
    patterns.push_back(0u);
  }
  // As many force modifiers as a scene may hold, three floats each, scene after scene.
  const size_t perScene = 3 * ParticleSystem::kMaxModifiers;
  for (size_t first = 0; first < patterns.size(); first += perScene) {
    const size_t end = std::min(patterns.size(), first + perScene);
    Bytes scene;
    scene.tag("PSHD").tag("PSYS").u32(0).u32(0).i32(0).i32(static_cast<int32_t>((end - first) / 3));
    for (size_t i = first; i < end; i += 3) {
      scene.tag("MFRC").u32(patterns[i]).u32(patterns[i + 1]).u32(patterns[i + 2]);
    }
    scene.u32(0);
    EXPECT_EQ(compile(decompile(scene.data())), scene.data());
  }
}

TEST(SceneCompilerTest, FloatsAreWrittenShortAndAsFloats) {
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(10.0f)), "10.0");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(-0.0f)), "-0.0");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(0.1f)), "0.1");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(0.01f)), "0.01");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(3.1415927f)), "3.1415927");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(16777216.0f)), "16777216.0");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(1e20f)), "1e+20");
  EXPECT_EQ(SceneTextWriter::formatFloat(bitsOf(1e-5f)), "1e-05");
  EXPECT_EQ(SceneTextWriter::formatFloat(0x7F800000u), "inf");
  EXPECT_EQ(SceneTextWriter::formatFloat(0xFF800000u), "-inf");
  EXPECT_EQ(SceneTextWriter::formatFloat(0x7FC00000u), "nan");
  EXPECT_EQ(SceneTextWriter::formatFloat(0xFFC00000u), "\"0xffc00000\"");
}

TEST(SceneCompilerTest, FileNamesThatAreNotUtf8KeepTheirBytes) {
  Bytes scene;
  scene.tag("PSHD").tag("PSYS").u32(1).u32(0).i32(0).i32(0).tag("IBMP");
  scene.u8('n').u8(0xE9).u8('\t').u8('"').u8(0).u8(0xAA);
  const std::string text = decompile(scene.data());
  EXPECT_NE(text.find("fileName = [110, 233, 9, 34]"), std::string::npos) << text;
  // The byte after the root object is not part of the scene.
  std::vector<uint8_t> withoutTrailer = scene.data();
  withoutTrailer.pop_back();
  EXPECT_EQ(compile(text), withoutTrailer);

  Bytes utf8;
  utf8.tag("PSHD").tag("PSYS").u32(1).u32(0).i32(0).i32(0).tag("ITGA");
  utf8.u8('\xC3').u8('\xA9').u8('\t').u8('"').u8('\\').u8(0);
  const std::string escaped = decompile(utf8.data());
  EXPECT_NE(escaped.find("fileName = \"\\u00E9\\u0009\\\"\\\\\""), std::string::npos) << escaped;
  EXPECT_EQ(compile(escaped), utf8.data());
}

TEST(SceneCompilerTest, NegativeCountsAreEmptyListsAndCurves) {
  auto scene = [](int32_t keys, int32_t shapes, int32_t modifiers) {
    Bytes bytes;
    bytes.tag("PSHD").tag("PSYS").u32(1).tag("EMIT");
    for (int i = 0; i < 25; ++i) {
      bytes.u32(0);
    }
    bytes.i32(4).i32(keys).i32(4).i32(0).i32(8).i32(shapes).i32(modifiers).u32(0);
    return bytes.data();
  };
  const std::string text = decompile(scene(-3, -1, -7));
  EXPECT_NE(text.find("[emitter.colorCurve]\nresolution = 4\nkeys = []\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("[[shapes]]"), std::string::npos);
  // Read as empty, so written back as counts of 0.
  EXPECT_EQ(compile(text), scene(0, 0, 0));
}

TEST(SceneCompilerTest, MalformedFilesGiveTheSystemsErrors) {
  EXPECT_EQ(decompileError({0x50, 0x53, 0x48, 0x44, 0, 0, 0, 0}), ErrorCode::PsfFileLoadFailed);
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("PSYS").u32(5).data()), ErrorCode::ReadFailed);
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("PSYS").u32(5).u32(1).data()), ErrorCode::IllegalParticleId);
  // A modifier where a shape must stand, an abstract base, a root that is not a particle system.
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("PSYS").u32(5).u32(0).i32(1).tag("MFRC").data()),
            ErrorCode::IllegalParticleId);
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("PSYS").u32(5).u32(0).i32(1).tag("BNCE").data()),
            ErrorCode::IllegalParticleId);
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("EMIT").data()), ErrorCode::IllegalParticleId);
  // A file name without its NUL.
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("PSYS").u32(5).u32(0).i32(0).i32(0).tag("ITGA").u8('a').data()),
            ErrorCode::ReadFailed);
  // Keys that end early.
  Bytes keys;
  keys.tag("PSHD").tag("PSYS").u32(5).tag("EMIT");
  for (int i = 0; i < 25; ++i) {
    keys.u32(0);
  }
  keys.i32(1).i32(3).u32(0);
  EXPECT_EQ(decompileError(keys.data()), ErrorCode::ReadFailed);
}

// decompile read counts without the engine's limits, so 300 KB of gzip holding a shape count of
// 2^31 - 1 and zeros behind it grew the object list past a gigabyte. It refuses what the engine
// refuses, with the engine's codes, before reading on.
TEST(SceneCompilerTest, DecompileHoldsTheEnginesLimits) {
  const auto emitterWithCurve = [](int32_t resolution, int32_t count, int32_t percent) {
    Bytes bytes;
    bytes.tag("PSHD").tag("PSYS").u32(5).tag("EMIT");
    for (int i = 0; i < 25; ++i) {
      bytes.u32(0);
    }
    bytes.i32(resolution).i32(count);
    for (int i = 0; i < std::min(count, 2); ++i) {
      bytes.f32(1).f32(1).f32(1).f32(1).i32(percent);
    }
    // The size curve, the emission shape, no shapes, no modifiers, no image.
    return bytes.i32(1).i32(0).i32(1).i32(0).i32(0).u32(0);
  };
  EXPECT_NO_THROW(decompile(emitterWithCurve(LifeCurve<float>::kMaxResolution, 2, 0).data()));
  EXPECT_EQ(decompileError(emitterWithCurve(0, 0, 0).data()), ErrorCode::IllegalIndex);
  EXPECT_EQ(decompileError(emitterWithCurve(LifeCurve<float>::kMaxResolution + 1, 0, 0).data()),
            ErrorCode::NotEnoughMemory);
  EXPECT_EQ(decompileError(emitterWithCurve(10, LifeCurve<float>::kMaxKeys + 1, 0).data()),
            ErrorCode::NotEnoughMemory);
  EXPECT_EQ(decompileError(emitterWithCurve(10, 2, -1).data()), ErrorCode::IllegalIndex);

  // Found by fuzzing: a particle limit the engine refuses decompiled to text that did not compile.
  EXPECT_EQ(decompileError(Bytes().tag("PSHD").tag("PSYS").u32(ParticleSystem::kMaxParticles + 1).u32(0).data()),
            ErrorCode::NotEnoughMemory);
  Bytes shapes = Bytes().tag("PSHD").tag("PSYS").u32(5).u32(0).i32(ParticleSystem::kMaxShapes + 1);
  EXPECT_EQ(decompileError(shapes.data()), ErrorCode::NotEnoughMemory);
  Bytes modifiers = Bytes().tag("PSHD").tag("PSYS").u32(5).u32(0).i32(0).i32(0x7FFFFFFF);
  modifiers.raw(std::vector<uint8_t>(4096, 0));
  EXPECT_EQ(decompileError(modifiers.data()), ErrorCode::NotEnoughMemory);
}

TEST(SceneCompilerTest, EmptySceneRoundTrips) {
  const std::vector<uint8_t> empty = Bytes().tag("PSHD").u32(0).data();
  EXPECT_EQ(compile(decompile(empty)), empty);
}

#include <gtest/gtest.h>

#include <algorithm>

#include <fstream>
#include <map>
#include <sstream>

#include "core/OpenGl.h"
#include "images/Image.h"
#include "objfile/MemoryStream.h"
#include "particles/Emitter.h"
#include "scene/ObjectFactory.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "scenes/textures/Sprites.h"
#include "support/Bytes.h"
#include "support/SceneBytes.h"
#include "support/TempDir.h"
#include "tools/headless/EglContext.h"
#include "tools/textformat/RegistryMark.h"
#include "tools/textformat/SceneCompiler.h"
#include "tools/textformat/SceneSchema.h"
#include "tools/textformat/TagText.h"

namespace {

int fixedBodySize(const ClassSchema& schema) {
  int size = 0;
  for (const FieldSchema& field : schema.fields) {
    size += SceneSchema::fixedSize(field);
  }
  return size;
}

std::vector<uint8_t> compile(const std::string& text) { return SceneCompiler::compile(text, "scene.toml"); }

// PSHD, PSYS, maxParticles, emitter tag 0: 16 bytes before the shape count.
constexpr size_t kSystemHead = 16;

}  // namespace

TEST(SceneSchemaTest, EveryShapeAndModifierBodyHasItsStoredSize) {
  const std::map<std::string, int> sizes = {
      {"BoxBouncer", 28},        {"RectangleBouncer", 52}, {"TriangleBouncer", 44},   {"SphereBouncer", 24},
      {"CylinderBouncer", 32},   {"ForceModifier", 12},    {"DampModifier", 20},      {"BubbleModifier", 12},
      {"ExplosionModifier", 16}, {"SphereModifier", 16},   {"TubeModifier", 28},      {"FlowModifier", 20},
      {"GravityModifier", 8},    {"AvoidBoxModifier", 28}, {"AvoidQuadModifier", 52}, {"AvoidSphereModifier", 20},
  };
  int seen = 0;
  for (const ClassSchema& schema : SceneSchema::classes()) {
    if (schema.family != Family::Shape && schema.family != Family::Modifier) {
      continue;
    }
    ++seen;
    ASSERT_EQ(sizes.count(schema.name), 1u) << schema.name;
    EXPECT_EQ(fixedBodySize(schema), sizes.at(schema.name)) << schema.name;
    // The compiled bytes agree: the list count, the tag, the body; then the other list and the image.
    const std::string list = schema.family == Family::Shape ? "shapes" : "modifiers";
    const auto bytes = compile("[system]\n[[" + list + "]]\ntype = \"" + schema.name + "\"\n");
    EXPECT_EQ(bytes.size(), kSystemHead + 4 + 4 + static_cast<size_t>(sizes.at(schema.name)) + 4 + 4) << schema.name;
  }
  EXPECT_EQ(seen, 16);
}

TEST(SceneSchemaTest, TagsAreTheFactorysAndUnique) {
  const char tags[][5] = {"PSYS", "EMIT", "BBOX", "BRCT", "BTRI", "BSPH", "BCYL", "MFRC", "MDMP", "MBUB",
                          "MEXP", "MSPH", "MTUB", "MFLW", "MGRV", "MAVB", "MAVD", "MAVS", "IBMP", "ITGA"};
  ASSERT_EQ(SceneSchema::classes().size(), 20u);
  for (size_t i = 0; i < 20; ++i) {
    const Tag tag = makeTag(tags[i]);
    ASSERT_NE(SceneSchema::byTag(tag), nullptr) << tags[i];
    EXPECT_EQ(SceneSchema::byTag(tag), &SceneSchema::classes()[i]) << tags[i];
  }
  EXPECT_EQ(SceneSchema::byTag(makeTag("BNCE")), nullptr);
  EXPECT_EQ(SceneSchema::byTag(makeTag("MDFR")), nullptr);
  EXPECT_EQ(SceneSchema::root().tag, makeTag("PSYS"));
  EXPECT_EQ(SceneSchema::soleClass(Family::Emitter)->tag, makeTag("EMIT"));
  EXPECT_EQ(SceneSchema::soleClass(Family::Image), nullptr);
}

TEST(SceneSchemaTest, EmitterHeadIs100BytesAndRateFollowsParticleAux) {
  const ClassSchema& emitter = *SceneSchema::byTag(makeTag("EMIT"));
  int head = 0;
  for (const FieldSchema& field : emitter.fields) {
    if (field.kind == FieldKind::ColorCurve) {
      break;
    }
    head += SceneSchema::fixedSize(field);
  }
  EXPECT_EQ(head, 100);
  EXPECT_STREQ(emitter.fields[5].name, "rate");
  EXPECT_STREQ(emitter.fields.back().name, "shape");
  // Keyless curves: 100 + 4 + 4 + 4 + 4 + 4 bytes of body behind the tag.
  const auto bytes =
      compile("[system]\n[emitter]\n[emitter.colorCurve]\nresolution = 1\n[emitter.sizeCurve]\nresolution = 1\n");
  EXPECT_EQ(bytes.size(), 12 + 4 + 120 + 4 + 4 + 4);
}

TEST(SceneSchemaTest, SmallestSceneIs28Bytes) {
  EXPECT_EQ(compile("[system]\nmaxParticles = 5\n"),
            Bytes().tag("PSHD").tag("PSYS").u32(5).u32(0).i32(0).i32(0).u32(0).data());
  // No [system]: root tag 0.
  EXPECT_EQ(compile("# nothing\n"), Bytes().tag("PSHD").u32(0).data());
}

TEST(SceneSchemaTest, EmitterFieldsLandInFileOrder) {
  const auto bytes = compile(R"([system]
maxParticles = 1000000
[emitter]
origin = [1, 2, 3]
axisA = [4, 5, 6]
axisB = [7, 8, 9]
velocity = [10, 11, 12]
particleAux = [13, 14, 15]
rate = -1
spread = 16
radius = 17
orbitAngle = 18
orbitAngleVar = 19
speed = 20
speedVar = 21
orbitRadius = 22
orbitRadiusVar = 23
life = 24
shape = "ring"
[emitter.colorCurve]
resolution = 256
keys = [{ percent = 100, color = [0.25, 0.5, 0.75, 1.0] }, { percent = 0, color = [1, 1, 1, 0] }]
[emitter.sizeCurve]
resolution = 100
keys = [{ percent = 50, value = 2.5 }]
[image]
type = "TgaImage"
fileName = "glow.tga"
)");
  Bytes expected;
  expected.tag("PSHD").tag("PSYS").u32(1000000).tag("EMIT");
  for (int i = 1; i <= 15; ++i) {
    expected.f32(static_cast<float>(i));
  }
  expected.i32(-1);
  for (int i = 16; i <= 23; ++i) {
    expected.f32(static_cast<float>(i));
  }
  expected.i32(24);
  expected.i32(256).i32(2).f32(0.25f).f32(0.5f).f32(0.75f).f32(1.0f).i32(100);
  expected.f32(1.0f).f32(1.0f).f32(1.0f).f32(0.0f).i32(0);
  expected.i32(100).i32(1).f32(2.5f).i32(50);
  expected.i32(50);
  expected.i32(0).i32(0).tag("ITGA").str("glow.tga");
  EXPECT_EQ(bytes, expected.data());
}

TEST(SceneSchemaTest, OmittedFieldsTakeTheConstructorDefaults) {
  const auto bytes = compile(R"([system]
[emitter]
[[shapes]]
type = "RectangleBouncer"
[[shapes]]
type = "SphereBouncer"
[[modifiers]]
type = "DampModifier"
[[modifiers]]
type = "TubeModifier"
)");
  Bytes expected;
  expected.tag("PSHD").tag("PSYS").u32(0).tag("EMIT");
  for (int i = 0; i < 15; ++i) {
    expected.f32(0.0f);
  }
  expected.i32(0).f32(0.0f).f32(1.0f).f32(1.0f).f32(0.0f).f32(0.0f).f32(0.0f).f32(0.0f).f32(0.0f).i32(0);
  // Absent curves are keyless curves of resolution 1; the shape is a point.
  expected.i32(1).i32(0).i32(1).i32(0).i32(1);
  expected.i32(2).tag("BRCT").vec({-10, 0, -10}).vec({10, 0, -10}).vec({10, 0, 10}).vec({-10, 0, 10}).f32(0.25f);
  expected.tag("BSPH").vec({0, 0, 0}).f32(3.0f).f32(0.25f).i32(2);
  expected.i32(2).tag("MDMP").vec({0.5f, 0.5f, 0.5f}).f32(0.0f).f32(100.0f);
  expected.tag("MTUB").vec({-10, 0, 0}).vec({10, 0, 0}).f32(0.5f);
  expected.u32(0);
  EXPECT_EQ(bytes, expected.data());
}

namespace {

std::string formatGuide() {
  std::ifstream in(std::string(OSTREL_SOURCE_DIR) + "/scenes/README.md");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(SceneSchemaTest, TheFormatGuideDocumentsEveryClassAndField) {
  const std::string guide = formatGuide();
  ASSERT_FALSE(guide.empty());
  // Each class's section starts where its tag is first named, "(BBOX" say, after its name on the
  // same line, in schema order, and lists every field in a table row before the next section.
  std::vector<size_t> starts;
  for (const ClassSchema& schema : SceneSchema::classes()) {
    const std::string tag = "(" + tagText(schema.tag);
    starts.push_back(guide.find(tag));
    ASSERT_NE(starts.back(), std::string::npos) << schema.name;
    if (starts.size() > 1) {
      EXPECT_LT(starts[starts.size() - 2], starts.back()) << schema.name;
    }
  }
  starts.push_back(guide.size());
  for (size_t i = 0; i < SceneSchema::classes().size(); ++i) {
    const ClassSchema& schema = SceneSchema::classes()[i];
    const size_t lineStart = guide.rfind('\n', starts[i]) + 1;
    EXPECT_NE(guide.substr(lineStart, starts[i] - lineStart).find(schema.name), std::string::npos) << schema.name;
    const std::string section = guide.substr(starts[i], starts[i + 1] - starts[i]);
    for (const FieldSchema& field : schema.fields) {
      EXPECT_NE(section.find("| `" + std::string(field.name) + "` |"), std::string::npos)
          << schema.name << "." << field.name;
    }
  }
}

TEST(SceneSchemaTest, TheFormatGuidesExamplesCompile) {
  const std::string guide = formatGuide();
  int examples = 0;
  for (size_t at = guide.find("```toml\n"); at != std::string::npos; at = guide.find("```toml\n", at)) {
    at += 8;
    const size_t end = guide.find("```", at);
    ASSERT_NE(end, std::string::npos);
    const std::string example = guide.substr(at, end - at);
    EXPECT_NO_THROW(SceneCompiler::compile(example, "README.md")) << example;
    EXPECT_GT(SceneCompiler::compile(example, "README.md").size(), 28u);
    ++examples;
  }
  EXPECT_GE(examples, 2);
}

namespace {

// Distinct values for every stored field of a class, in the text format, so that two fields the
// engine took in another order would show; values the engine changes on reading are avoided (a
// triangle's bounce mode is always 2), and curves come separately, in descending order as the
// engine keeps them.
std::string distinctFields(const ClassSchema& schema, int& next) {
  std::string text;
  auto number = [&next]() { return std::to_string(next++) + ".25"; };
  // z negative, so that no two components are alike in value and sign.
  auto vector = [&number]() {
    const std::string x = number();
    const std::string y = number();
    const std::string z = number();
    return "[" + x + ", " + y + ", -" + z + "]";
  };
  for (const FieldSchema& field : schema.fields) {
    const std::string name = field.name;
    switch (field.kind) {
      case FieldKind::Float:
        text += name + " = " + number() + "\n";
        break;
      case FieldKind::Vec3:
        text += name + " = " + vector() + "\n";
        break;
      case FieldKind::Vec3Array:
        text += name + " = [";
        for (int i = 0; i < field.count; ++i) {
          text += std::string(i == 0 ? "" : ", ") + vector();
        }
        text += "]\n";
        break;
      case FieldKind::Int32:
        // Named fields take their last name's value: ring for the emitter, graze for shapes.
        text += name + " = " + std::to_string(field.names.empty() ? next++ : field.names.back().value) + "\n";
        break;
      default:
        break;
    }
  }
  return text;
}

std::vector<uint8_t> engineRewrite(const std::vector<uint8_t>& bytes) {
  MemoryStream in(bytes);
  return writtenScene(SceneLoader::instance().load(in));
}

}  // namespace

TEST(SceneSchemaTest, EngineConstructorsWriteTheSchemasDefaults) {
  for (const ClassSchema& schema : SceneSchema::classes()) {
    if (schema.family == Family::Image) {
      continue;  // an image has no default file name
    }
    SCOPED_TRACE(schema.name);
    RegistryMark mark;
    PsfObject* object = ObjectFactory::instance().create(schema.tag);
    ASSERT_NE(object, nullptr);
    // The schema's defaults: the class alone, every field omitted.
    std::string text = "[system]\n";
    if (schema.family == Family::Emitter) {
      text += "[emitter]\n";
    } else if (schema.family != Family::System) {
      text += std::string(schema.family == Family::Shape ? "[[shapes]]" : "[[modifiers]]") + "\ntype = \"" +
              schema.name + "\"\n";
    }
    const std::vector<uint8_t> compiled = SceneCompiler::compile(text, "defaults.toml");
    const std::vector<uint8_t> written = writtenChild(*object);
    // Where the object's tag stands: after the file tag; after the particle limit; after the shape
    // count; after the empty shape list's count and the modifier count.
    const std::map<Family, size_t> offsets = {
        {Family::System, 4}, {Family::Emitter, 12}, {Family::Shape, 20}, {Family::Modifier, 24}};
    const size_t at = offsets.at(schema.family);
    ASSERT_GE(compiled.size(), at + written.size());
    EXPECT_EQ(std::vector<uint8_t>(compiled.begin() + at, compiled.begin() + at + written.size()), written);
  }
}

TEST(SceneSchemaTest, EngineWritesBackWhatItReadsForEveryClass) {
  TempDir dir;
  for (const ClassSchema& schema : SceneSchema::classes()) {
    if (schema.family != Family::Shape && schema.family != Family::Modifier) {
      continue;
    }
    SCOPED_TRACE(schema.name);
    RegistryMark mark;
    int next = 1;
    const std::string text = std::string("[system]\nmaxParticles = 77\n") +
                             (schema.family == Family::Shape ? "[[shapes]]" : "[[modifiers]]") + "\ntype = \"" +
                             schema.name + "\"\n" + distinctFields(schema, next);
    const std::vector<uint8_t> bytes = SceneCompiler::compile(text, "one.toml");
    EXPECT_EQ(engineRewrite(bytes), bytes);
  }
}

TEST(SceneSchemaTest, EngineReadsAWholeSceneAsTheSchemaLaysItOut) {
  // Images load their file when read and then make a texture, so this one needs both.
  EglContext context(1, 1);
  TempDir dir;
  for (const Sprite& sprite : sprites()) {
    dir.write(sprite.fileName, sprite.make());
  }
  for (const char* image : {"TgaImage", "BmpImage"}) {
    SCOPED_TRACE(image);
    RegistryMark mark;
    int next = 1;
    std::string text = "[system]\nmaxParticles = 4242\n[emitter]\n" +
                       distinctFields(*SceneSchema::byTag(makeTag("EMIT")), next) + R"([emitter.colorCurve]
resolution = 64
keys = [
  { percent = 100, color = [0.5, 0.25, 0.125, 1.0] },
  { percent = 30, color = [1, 1, 1, 1] },
  { percent = 0, color = [0, 0, 0, 0] },
]
[emitter.sizeCurve]
resolution = 7
keys = [{ percent = 90, value = 3.5 }, { percent = 10, value = 0.5 }]
)";
    for (const ClassSchema& schema : SceneSchema::classes()) {
      if (schema.family == Family::Shape || schema.family == Family::Modifier) {
        text += std::string(schema.family == Family::Shape ? "[[shapes]]" : "[[modifiers]]") + "\ntype = \"" +
                schema.name + "\"\n" + distinctFields(schema, next);
      }
    }
    const bool bitmap = std::string(image) == "BmpImage";
    const auto sprite = std::find_if(sprites().begin(), sprites().end(),
                                     [bitmap](const Sprite& s) { return s.bitmap == bitmap; });
    ASSERT_NE(sprite, sprites().end());
    const std::string file = sprite->fileName;
    text += "[image]\ntype = \"" + std::string(image) + "\"\nfileName = \"" + dir.path(file) + "\"\n";
    const std::vector<uint8_t> bytes = SceneCompiler::compile(text, "whole.toml");
    EXPECT_EQ(engineRewrite(bytes), bytes);

    // The fields land where the engine keeps them.
    MemoryStream in(bytes);
    auto* system = dynamic_cast<ParticleSystem*>(SceneLoader::instance().load(in));
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->maxParticles(), 4242u);
    ASSERT_NE(system->emitter(), nullptr);
    const Emitter& emitter = *system->emitter();
    EXPECT_EQ(emitter.origin.x, 1.25f);
    EXPECT_EQ(emitter.particleAux.z, -15.25f);
    EXPECT_EQ(emitter.rate, 16);
    EXPECT_EQ(emitter.spread, 17.25f);
    EXPECT_EQ(emitter.orbitRadiusVar, 24.25f);
    EXPECT_EQ(emitter.life, 25);
    EXPECT_EQ(emitter.shape, 50);
    EXPECT_EQ(emitter.colorCurve()->resolution(), 64);
    EXPECT_EQ(emitter.sizeCurve()->keys().front().value, 3.5f);
    EXPECT_EQ(system->shapes().size(), 5u);
    EXPECT_EQ(system->modifiers().size(), 11u);
    ASSERT_NE(system->image(), nullptr);
    EXPECT_EQ(system->image()->width(), 64);
  }
}

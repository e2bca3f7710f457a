#include "tools/SceneSchema.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "support/Bytes.h"
#include "tools/SceneCompiler.h"

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
      {"BoxBouncer", 28},      {"RectangleBouncer", 52},  {"TriangleBouncer", 44},   {"SphereBouncer", 24},
      {"CylinderBouncer", 32}, {"ForceModifier", 12},     {"DampModifier", 20},      {"BubbleModifier", 12},
      {"ExplosionModifier", 16}, {"SphereModifier", 16},  {"TubeModifier", 28},      {"FlowModifier", 20},
      {"GravityModifier", 8},  {"AvoidBoxModifier", 28},  {"AvoidQuadModifier", 52}, {"AvoidSphereModifier", 20},
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
  const auto bytes = compile(
      "[system]\n[emitter]\n[emitter.colorCurve]\nresolution = 1\n[emitter.sizeCurve]\nresolution = 1\n");
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
maxParticles = 4294967295
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
  expected.tag("PSHD").tag("PSYS").u32(0xFFFFFFFFu).tag("EMIT");
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
    const std::string tag = "(" + std::string{static_cast<char>(schema.tag >> 24), static_cast<char>(schema.tag >> 16),
                                              static_cast<char>(schema.tag >> 8), static_cast<char>(schema.tag)};
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

#include <gtest/gtest.h>

#include "tools/textformat/SceneCompiler.h"
#include "tools/textformat/SceneTextReader.h"

namespace {

// The message of the error that compiling the text raises, or a failure.
std::string errorOf(const std::string& text) {
  try {
    SceneCompiler::compile(text, "scenes/rain.toml");
  } catch (const SceneTextError& e) {
    return e.what();
  }
  ADD_FAILURE() << "compiled without error:\n" << text;
  return "";
}

}  // namespace

TEST(SceneTextReaderTest, UnknownFieldsAndTablesNameTheirPlace) {
  EXPECT_EQ(errorOf("[system]\nmaxParticles = 10\n[emitter]\nrate = 1\n  sped = 0.5\n"),
            "scenes/rain.toml:5:3: emitter.sped: unknown field of Emitter");
  EXPECT_EQ(errorOf("[system]\n[[modifiers]]\ntype = \"ForceModifier\"\nforce = [0, 1, 0]\nfalloff = 1\n"),
            "scenes/rain.toml:5:1: modifiers[0].falloff: unknown field of ForceModifier");
  EXPECT_EQ(errorOf("[system]\nmaxParticle = 10\n"),
            "scenes/rain.toml:2:1: system.maxParticle: unknown field of ParticleSystem");
  EXPECT_EQ(errorOf("[system]\n[emiter]\nrate = 1\n"), "scenes/rain.toml:2:2: emiter: unknown table or key");
  EXPECT_EQ(errorOf("[system]\n[emitter.colorCurve]\nresolution = 2\nsteps = 3\n"),
            "scenes/rain.toml:4:1: emitter.colorCurve.steps: unknown field of a curve");
  EXPECT_EQ(errorOf("[system]\n[emitter.sizeCurve]\nresolution = 2\nkeys = [{ percent = 0, color = [1, 1, 1, 1] }]\n"),
            "scenes/rain.toml:4:24: emitter.sizeCurve.keys[0].color: unknown field of a curve key");
}

TEST(SceneTextReaderTest, UnknownTypesAndMissingTypesAreErrors) {
  EXPECT_EQ(errorOf("[system]\n[[shapes]]\ntype = \"ConeBouncer\"\n"),
            "scenes/rain.toml:3:8: shapes[0].type: unknown type \"ConeBouncer\" (known: BoxBouncer, RectangleBouncer, "
            "TriangleBouncer, SphereBouncer, CylinderBouncer, none)");
  // A modifier is not a shape.
  EXPECT_EQ(errorOf("[system]\n[[shapes]]\ntype = \"ForceModifier\"\n").substr(0, 50),
            "scenes/rain.toml:3:8: shapes[0].type: unknown type");
  EXPECT_EQ(errorOf("[system]\n[[modifiers]]\nforce = [0, 1, 0]\n"),
            "scenes/rain.toml:2:1: modifiers[0].type: missing (the class name, or \"none\")");
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"PngImage\"\nfileName = \"a.png\"\n"),
            "scenes/rain.toml:3:8: image.type: unknown type \"PngImage\" (known: BmpImage, TgaImage, none)");
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"TgaImage\"\n"), "scenes/rain.toml:2:1: image.fileName: missing");
  EXPECT_EQ(errorOf("[system]\n[[shapes]]\ntype = \"none\"\nradius = 1\n"),
            "scenes/rain.toml:4:1: shapes[0].radius: unknown field of an absent object");
  EXPECT_EQ(errorOf("[emitter]\nrate = 1\n"),
            "scenes/rain.toml:1:1: emitter: a scene with objects needs a [system] table");
}

TEST(SceneTextReaderTest, WrongValueTypesAreErrors) {
  EXPECT_EQ(errorOf("[system]\n[emitter]\nrate = 1.5\n"),
            "scenes/rain.toml:3:8: emitter.rate: expected an integer, found a floating-point number");
  EXPECT_EQ(errorOf("[system]\n[emitter]\nspread = \"wide\"\n"),
            "scenes/rain.toml:3:10: emitter.spread: expected a number or a bit pattern \"0xHHHHHHHH\", found \"wide\"");
  EXPECT_EQ(errorOf("[system]\n[emitter]\nspread = true\n"),
            "scenes/rain.toml:3:10: emitter.spread: expected a number, found a boolean");
  EXPECT_EQ(errorOf("[system]\n[emitter]\norigin = 1.0\n"),
            "scenes/rain.toml:3:10: emitter.origin: expected an array of 3 numbers, found a floating-point number");
  EXPECT_EQ(errorOf("[system]\n[emitter]\nshape = \"cone\"\n"),
            "scenes/rain.toml:3:9: emitter.shape: unknown name \"cone\" (known: point, line, parallelogram, disc, "
            "box, ring, or an integer)");
  EXPECT_EQ(errorOf("[system]\n[emitter]\nshape = 2.0\n"),
            "scenes/rain.toml:3:9: emitter.shape: expected a name or an integer, found a floating-point number");
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"BmpImage\"\nfileName = 7\n"),
            "scenes/rain.toml:4:12: image.fileName: expected a string, found an integer");
  EXPECT_EQ(
      errorOf("[system]\nmaxParticles = 10\n[emitter]\nvelocity = [0, \"up\", 0]\n"),
      "scenes/rain.toml:4:16: emitter.velocity[1]: expected a number or a bit pattern \"0xHHHHHHHH\", found \"up\"");
  EXPECT_EQ(errorOf("[system]\n[[shapes]]\ntype = \"BoxBouncer\"\n[[shapes.boxMin]]\n"),
            "scenes/rain.toml:4:1: shapes[0].boxMin: expected an array of 3 numbers, found 1 element");
  EXPECT_EQ(errorOf("[system]\nshapes = 3\n"),
            "scenes/rain.toml:2:1: system.shapes: belongs at the top level, beside [system]");
  EXPECT_EQ(errorOf("shapes = 3\n[system]\n"),
            "scenes/rain.toml:1:10: shapes: expected an array of tables ([[shapes]]), found an integer");
}

TEST(SceneTextReaderTest, WrongArrayLengthsAreErrors) {
  EXPECT_EQ(errorOf("[system]\n[emitter]\naxisA = [1.0, 0.0]\n"),
            "scenes/rain.toml:3:9: emitter.axisA: expected an array of 3 numbers, found 2 elements");
  EXPECT_EQ(errorOf("[system]\n[[shapes]]\ntype = \"RectangleBouncer\"\ncorners = [[0, 0, 0], [1, 0, 0], [1, 0, 1]]\n"),
            "scenes/rain.toml:4:11: shapes[0].corners: expected an array of 4 vectors, found 3 elements");
  EXPECT_EQ(errorOf("[system]\n[[shapes]]\ntype = \"TriangleBouncer\"\nvertices = [[0, 0, 0], [1, 0, 0], [1, 0]]\n"),
            "scenes/rain.toml:4:35: shapes[0].vertices[2]: expected an array of 3 numbers, found 2 elements");
  EXPECT_EQ(
      errorOf("[system]\n[emitter.colorCurve]\nresolution = 4\nkeys = [{ percent = 0, color = [1, 1, 1] }]\n"),
      "scenes/rain.toml:4:32: emitter.colorCurve.keys[0].color: expected an array of 4 numbers (red, green, blue, "
      "alpha), found 3 elements");
}

TEST(SceneTextReaderTest, IntegersOutOfRangeAndOtherLimitsAreErrors) {
  EXPECT_EQ(errorOf("[system]\n[emitter]\nrate = 2147483648\n"),
            "scenes/rain.toml:3:8: emitter.rate: 2147483648 is outside -2147483648..2147483647");
  EXPECT_EQ(errorOf("[system]\n[emitter]\nlife = -2147483649\n"),
            "scenes/rain.toml:3:8: emitter.life: -2147483649 is outside -2147483648..2147483647");
  EXPECT_EQ(errorOf("[system]\nmaxParticles = -1\n"),
            "scenes/rain.toml:2:16: system.maxParticles: -1 is outside 0..1000000");
  // The engine's limits: a million particles, 256 shapes and 256 modifiers.
  EXPECT_EQ(errorOf("[system]\nmaxParticles = 1000001\n"),
            "scenes/rain.toml:2:16: system.maxParticles: 1000001 is outside 0..1000000");
  std::string shapes = "[system]\n";
  for (int i = 0; i < 257; ++i) {
    shapes += "[[shapes]]\ntype = \"none\"\n";
  }
  EXPECT_EQ(errorOf(shapes), "scenes/rain.toml:2:1: shapes: more than 256 entries");
  EXPECT_EQ(errorOf("[system]\n[emitter.sizeCurve]\nresolution = 0\n"),
            "scenes/rain.toml:3:14: emitter.sizeCurve.resolution: 0 is outside 1..65536");
  EXPECT_EQ(errorOf("[system]\n[emitter.sizeCurve]\nresolution = 4\nkeys = [{ percent = -1, value = 1 }]\n"),
            "scenes/rain.toml:4:21: emitter.sizeCurve.keys[0].percent: -1 is outside 0..2147483647");
  EXPECT_EQ(errorOf("[system]\n[emitter.sizeCurve]\nkeys = []\n"),
            "scenes/rain.toml:2:1: emitter.sizeCurve.resolution: missing (a curve has no default resolution)");
  EXPECT_EQ(errorOf("[system]\n[emitter]\nspeed = 1e39\n"),
            "scenes/rain.toml:3:9: emitter.speed: out of single-precision range");
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"BmpImage\"\nfileName = \"a\\u0000b\"\n"),
            "scenes/rain.toml:4:12: image.fileName: a stored string cannot hold a NUL character");
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"BmpImage\"\nfileName = \"" + std::string(1025, 'x') + "\"\n"),
            "scenes/rain.toml:4:12: image.fileName: longer than 1024 bytes");
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"BmpImage\"\nfileName = [104, 256]\n"),
            "scenes/rain.toml:4:18: image.fileName[1]: 256 is outside 1..255");
}

TEST(SceneTextReaderTest, SyntaxErrorsNameTheirPlace) {
  const std::string message = errorOf("[system]\nmaxParticles = = 3\n");
  EXPECT_EQ(message.rfind("scenes/rain.toml:2:", 0), 0u) << message;
}

TEST(SceneTextReaderTest, NamesIntegersAndBitPatternsAreAccepted) {
  const ObjectValue scene = SceneTextReader::parse(R"([system]
[emitter]
shape = 16
radius = 3
spread = "0x7FA00001"
speed = -0.0
[[shapes]]
type = "SphereBouncer"
bounceMode = "mirror"
[[shapes]]
type = "TriangleBouncer"
bounceMode = 7
)",
                                                   "scene.toml");
  const ObjectValue& emitter = scene.fields[1].objects[0];
  EXPECT_EQ(emitter.fields[17].words, std::vector<uint32_t>{16u});
  EXPECT_EQ(emitter.fields[7].words, std::vector<uint32_t>{0x40400000u});
  EXPECT_EQ(emitter.fields[6].words, std::vector<uint32_t>{0x7FA00001u});
  EXPECT_EQ(emitter.fields[10].words, std::vector<uint32_t>{0x80000000u});
  EXPECT_EQ(scene.fields[2].objects[0].fields[3].words, std::vector<uint32_t>{1u});
  EXPECT_EQ(scene.fields[2].objects[1].fields[2].words, std::vector<uint32_t>{7u});
}

// Found by fuzzing: toml++ 3.3's whitespace test is undefined for most characters of
// U+00A1..U+0499 (and two other blocks) and is asked about characters in values, between tokens
// and in multi-line strings, and in text that is not TOML wherever toml++'s reading takes it.
// The text is kept ASCII: a byte beyond it is refused before toml++ sees it, and strings carry
// other characters as escapes.
TEST(SceneTextReaderTest, TheTextIsAsciiAndStringsEscapeOtherCharacters) {
  const std::string refused = ": the scene text is ASCII; write other characters in strings as \\u escapes";
  EXPECT_EQ(errorOf("[system]\nmaxParticles = 6.\xD0\xA5\n"), "scenes/rain.toml:2:18" + refused);
  EXPECT_EQ(errorOf("[system]\nmaxParticles = 100:Mod'\xC9\xBE'\n"), "scenes/rain.toml:2:24" + refused);
  EXPECT_EQ(errorOf("[system] # caf\xC3\xA9\n"), "scenes/rain.toml:1:15" + refused);
  EXPECT_EQ(errorOf("[system]\n[image]\ntype = \"TgaImage\"\nfileName = \"\xC3\xA9.tga\"\n"),
            "scenes/rain.toml:4:13" + refused);

  const ObjectValue scene = SceneTextReader::parse(
      "[system]\n[image]\ntype = \"TgaImage\"\nfileName = \"\\u0425\\\"\\u00E9\\U0001F600.tga\"\n", "scene.toml");
  EXPECT_EQ(scene.fields.back().objects.at(0).fields.at(0).text, "\xD0\xA5\"\xC3\xA9\xF0\x9F\x98\x80.tga");
}

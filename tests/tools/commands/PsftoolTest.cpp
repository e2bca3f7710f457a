// psftool as a scene author runs it: the built binary, its output, its exit code.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "objfile/MemoryStream.h"
#include "objfile/StreamFactory.h"
#include "particles/Emitter.h"
#include "support/SceneBytes.h"
#include "support/TempDir.h"
#include "tools/commands/Simulation.h"

namespace {

struct ToolRun {
  int code;
  std::string out;
  std::string err;
};

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs psftool with the arguments in the folder given (the test's own when empty).
ToolRun psftool(const TempDir& dir, const std::string& args, const std::string& folder = "") {
  const std::string out = dir.path("stdout.txt");
  const std::string err = dir.path("stderr.txt");
  std::string command = std::string(PSFTOOL_PATH) + " " + args + " >" + out + " 2>" + err;
  if (!folder.empty()) {
    command = "cd " + folder + " && " + command;
  }
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(out), contents(err)};
}

// A Disc emitter of radius 2 in the x-z plane with spread, orbit and curves: every draw counts.
Bytes discEmitter(const Vec3& axisA) {
  Bytes bytes;
  bytes.tag("EMIT").vec({0, 1, 0}).vec(axisA).vec({0, 0, 1}).vec({0, 0.1f, 0}).vec({}).i32(3);
  bytes.f32(0.5f).f32(2).f32(1).f32(0.1f).f32(0.2f).f32(0.05f).f32(0.3f).f32(0.1f).i32(5);
  bytes.i32(100).i32(2).f32(1).f32(1).f32(1).f32(0).i32(100).f32(1).f32(0.5f).f32(0).f32(1).i32(0);
  bytes.i32(100).i32(2).f32(0.2f).i32(100).f32(0.5f).i32(0);
  return bytes.i32(8);
}

std::string formatted(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

class PsftoolTest : public testing::Test {
 protected:
  void TearDown() override { ObjectRegistry::instance().destroyAll(); }

  TempDir dir;
};

}  // namespace

TEST_F(PsftoolTest, SimulateDumpsTheHeaderAndTheRowsOfTheLastStep) {
  const std::string scene = dir.write("point.psf", sceneFile(systemBody(10, emitterChild(1, 3))).data());
  Bytes moving;
  moving.tag("EMIT").vec({}).vec({}).vec({}).vec({1, 2, 3}).vec({}).i32(1);
  moving.f32(0).f32(1).f32(1).f32(0).f32(0).f32(0).f32(0).f32(0).i32(3).raw(noCurves().data()).i32(1);
  dir.write("moving.psf", sceneFile(systemBody(10, moving)).data());

  const ToolRun none = psftool(dir, "simulate " + scene + " --seed 5 --steps 0 --dump " + dir.path("none.csv"));
  EXPECT_EQ(none.code, 0) << none.err;
  EXPECT_EQ(contents(dir.path("none.csv")),
            "step,index,px,py,pz,vx,vy,vz,ox,oy,oz,orbitRadius,orbitAngle,lifeLeft,lifeTotal,r,g,b,a,size\n");

  const ToolRun run = psftool(dir, "simulate moving.psf --seed 5 --steps 2 --dump rows.csv", dir.path(""));
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "2 steps, 2 live particles\n");
  EXPECT_EQ(contents(dir.path("rows.csv")),
            std::string(kSimulationHeader) +
                "2,0,2,4,6,1,2,3,2,4,6,0,1,1,3,1,1,1,1,0.5\n"
                "2,1,1,2,3,1,2,3,1,2,3,0,1,2,3,1,1,1,1,0.5\n");
}

TEST_F(PsftoolTest, SimulateDumpsEveryKthStepAndResolvesTheDumpBeforeLoading) {
  std::filesystem::create_directories(dir.path("scene"));
  dir.write("scene/moving.psf", sceneFile(systemBody(10, emitterChild(1, 100))).data());
  // The dump path is relative to where psftool was started, not to the scene's folder.
  const ToolRun run = psftool(dir, "simulate scene/moving.psf --seed 1 --steps 5 --dump-every 2 --dump every.csv",
                          dir.path(""));
  EXPECT_EQ(run.code, 0) << run.err;
  std::istringstream rows(contents(dir.path("every.csv")));
  std::string line;
  std::getline(rows, line);
  std::vector<std::string> steps;
  while (std::getline(rows, line)) {
    steps.push_back(line.substr(0, line.find(',', 2)));
  }
  EXPECT_EQ(steps, (std::vector<std::string>{"2,0", "2,1", "4,0", "4,1", "4,2", "4,3"}));
}

TEST_F(PsftoolTest, SimulateStartsFromTheSeedWithNothingDrawnBefore) {
  const Bytes body = systemBody(10, discEmitter({1, 0, 0}));
  const std::string scene = dir.write("disc.psf", sceneFile(body).data());
  const ToolRun run = psftool(dir, "simulate " + scene + " --seed 424242 --steps 1 --dump -");
  ASSERT_EQ(run.code, 0) << run.err;

  // The same particle made here: the emitter read from the same bytes, the generator at 424242.
  Emitter emitter;
  MemoryStream stream(body.data());
  stream.seek(8, SeekBegin);  // past the limit and the EMIT tag
  emitter.read(stream);
  Random::seed(424242);
  auto particle = emitter.createParticle();
  const Vec3 moved = particle->position + particle->velocity;
  const std::string expected = "1,0," + formatted(moved.x) + "," + formatted(moved.y) + "," + formatted(moved.z) +
                               "," + formatted(particle->velocity.x) + ",";
  std::istringstream rows(run.out);
  std::string line;
  std::getline(rows, line);
  std::getline(rows, line);
  EXPECT_EQ(line.substr(0, expected.size()), expected);
}

TEST_F(PsftoolTest, SimulateWritesNotANumberWithoutASign) {
  // A zero axis divides 0 by 0 on every particle: the positions are NaN, which glibc would print
  // with its sign.
  const std::string scene = dir.write("nan.psf", sceneFile(systemBody(10, discEmitter({0, 0, 0}))).data());
  const ToolRun run = psftool(dir, "simulate " + scene + " --seed 3 --steps 2 --dump -");
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find(",nan,"), std::string::npos);
  EXPECT_EQ(run.out.find("-nan"), std::string::npos);
}

TEST_F(PsftoolTest, CheckSummarisesTheScene) {
  const std::string scene = dir.write("disc.psf", sceneFile(systemBody(300, discEmitter({1, 0, 0}))).data());
  const ToolRun run = psftool(dir, "check " + scene);
  ASSERT_EQ(run.code, 0) << run.err;
  for (const char* line : {"particle limit   300\n", "emitter          Disc (8), rate 3 per update\n",
                           "  life           5 steps\n", "  colour curve   resolution 100, 2 keys\n",
                           "    100%         (1, 1, 1, 0)\n", "    0%           (1, 0.5, 0, 1)\n",
                           "  size curve     resolution 100, 2 keys\n", "    100%         0.2\n",
                           "modifiers        0\n", "shapes           0\n"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;
  }
  EXPECT_NE(run.out.find("image            none"), std::string::npos) << run.out;
}

TEST_F(PsftoolTest, CheckPointsOutWhatAnAuthorMightNotExpect) {
  const std::string scene = dir.write("odd.psf", sceneFile(systemBody(0, emitterChild(65537, 0))).data());
  const ToolRun run = psftool(dir, "check " + scene);
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("rate 65537 per update (only the low 16 bits count: 1)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("particle limit   0 (no particle is ever made)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("removed before they are drawn"), std::string::npos) << run.out;

  const std::string empty = dir.write("empty.psf", sceneFile(systemBody(5, Bytes().u32(0))).data());
  const ToolRun none = psftool(dir, "check " + empty);
  EXPECT_NE(none.out.find("emitter          none"), std::string::npos) << none.out;
}

TEST_F(PsftoolTest, ErrorsPrintTheSystemsMessageAndExitOne) {
  const ToolRun missing = psftool(dir, "check " + dir.path("nowhere.psf"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, dir.path("nowhere.psf") + ": File Not Found\n");

  const std::string reversed = dir.write("reversed.psf", {0x50, 0x53, 0x48, 0x44, 0, 0, 0, 0});
  const ToolRun badMagic = psftool(dir, "simulate " + reversed + " --seed 1 --steps 1");
  EXPECT_EQ(badMagic.code, 1);
  EXPECT_EQ(badMagic.err, reversed + ": PSF File Load Failed\n");

  const std::string truncated = dir.write("short.psf", sceneFile(Bytes().u32(5).tag("EMIT").u32(0)).data());
  const ToolRun shortRun = psftool(dir, "check " + truncated);
  EXPECT_EQ(shortRun.code, 1);
  EXPECT_EQ(shortRun.err, truncated + ": Read Failed\n");

  const std::string noRoot = dir.write("noroot.psf", Bytes().tag("PSHD").u32(0).data());
  const ToolRun rootless = psftool(dir, "check " + noRoot);
  EXPECT_EQ(rootless.code, 1);
  EXPECT_NE(rootless.err.find("not a particle system"), std::string::npos) << rootless.err;

  const std::string scene = dir.write("ok.psf", sceneFile(systemBody(5, Bytes().u32(0))).data());
  EXPECT_EQ(psftool(dir, "simulate " + scene + " --seed 1").code, 1);
  EXPECT_EQ(psftool(dir, "simulate " + scene + " --seed -1 --steps 2").code, 1);
  EXPECT_EQ(psftool(dir, "simulate " + scene + " --seed 1 --steps 2 --dump-every 0").code, 1);
  EXPECT_EQ(psftool(dir, "simulate " + scene + " --seed 1 --steps 2 --frobnicate").code, 1);
}

TEST_F(PsftoolTest, EverySubcommandExplainsItself) {
  for (const char* command : {"check", "simulate", "compile", "decompile", "render"}) {
    const ToolRun run = psftool(dir, std::string(command) + " --help");
    EXPECT_EQ(run.code, 0) << command;
    EXPECT_EQ(run.out.rfind(std::string("usage: psftool ") + command, 0), 0u) << run.out;
  }
}

namespace {

const char kFallingScene[] = R"([system]
maxParticles = 100

[emitter]
rate = 2
life = 50

[[modifiers]]
type = "ForceModifier"
force = [0.0, -0.01, 0.0]
)";

std::string writeText(const TempDir& dir, const std::string& name, const std::string& text) {
  return dir.write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace

TEST_F(PsftoolTest, CompileGzipOutputReadsBackThroughTheGzipStream) {
  const std::string source = writeText(dir, "fall.toml", kFallingScene);
  ASSERT_EQ(psftool(dir, "compile " + source).code, 0);
  ASSERT_EQ(psftool(dir, "compile " + source + " --gzip -o " + dir.path("fall.psf.gz")).code, 0);
  const std::string plain = contents(dir.path("fall.psf"));
  // The frame and limit, the emitter, two counts, the force modifier, the image tag.
  ASSERT_EQ(plain.size(), 12u + 4 + 120 + 4 + 4 + 4 + 12 + 4);
  const std::string packed = contents(dir.path("fall.psf.gz"));
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(packed.substr(0, 2), "\x1f\x8b");
  std::unique_ptr<Stream> stream = StreamFactory::instance().openGzFile(dir.path("fall.psf.gz").c_str());
  std::string unpacked(plain.size(), '\0');
  stream->readExactly(&unpacked[0], static_cast<int>(unpacked.size()));
  EXPECT_EQ(unpacked, plain);
  // The loader takes the compressed file as the screensaver does.
  const ToolRun check = psftool(dir, "check " + dir.path("fall.psf.gz"));
  EXPECT_EQ(check.code, 0) << check.err;
  // Compressing the same scene again gives the same file.
  ASSERT_EQ(psftool(dir, "compile " + source + " --gzip -o " + dir.path("again.psf.gz")).code, 0);
  EXPECT_EQ(contents(dir.path("again.psf.gz")), packed);
}

TEST_F(PsftoolTest, DecompileOfEitherFormThenCompileGivesTheSameBytes) {
  const std::string source = writeText(dir, "fall.toml", kFallingScene);
  ASSERT_EQ(psftool(dir, "compile " + source + " --gzip -o " + dir.path("packed.psf")).code, 0);
  const ToolRun printed = psftool(dir, "decompile " + dir.path("packed.psf"));
  ASSERT_EQ(printed.code, 0) << printed.err;
  EXPECT_EQ(printed.out.rfind("[system]\nmaxParticles = 100\n", 0), 0u) << printed.out;
  ASSERT_EQ(psftool(dir, "compile " + source + " -o " + dir.path("plain.psf")).code, 0);
  ASSERT_EQ(psftool(dir, "decompile " + dir.path("plain.psf") + " -o " + dir.path("plain.toml")).code, 0);
  EXPECT_EQ(contents(dir.path("plain.toml")), printed.out);
  ASSERT_EQ(psftool(dir, "compile " + dir.path("plain.toml") + " -o " + dir.path("second.psf")).code, 0);
  EXPECT_EQ(contents(dir.path("second.psf")), contents(dir.path("plain.psf")));
}

TEST_F(PsftoolTest, CompileAndDecompileFailuresPrintOneMessageAndExitOne) {
  const std::string truncated = dir.write("short.psf", Bytes().tag("PSHD").tag("PSYS").u16(7).data());
  const ToolRun shortFile = psftool(dir, "decompile " + truncated);
  EXPECT_EQ(shortFile.code, 1);
  EXPECT_EQ(shortFile.err, truncated + ": Read Failed\n");
  EXPECT_EQ(shortFile.out, "");

  const ToolRun missing = psftool(dir, "decompile " + dir.path("nowhere.psf"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, dir.path("nowhere.psf") + ": File Not Found\n");

  const std::string bad = writeText(dir, "bad.toml", "[system]\nmaxParticles = 1.5\n");
  const ToolRun badText = psftool(dir, "compile " + bad);
  EXPECT_EQ(badText.code, 1);
  EXPECT_EQ(badText.err, bad + ":2:16: system.maxParticles: expected an integer, found a floating-point number\n");
  EXPECT_FALSE(std::ifstream(dir.path("bad.psf")).good());

  EXPECT_EQ(psftool(dir, "compile").code, 1);
  EXPECT_EQ(psftool(dir, "decompile a.psf b.psf").code, 1);
  EXPECT_EQ(psftool(dir, "decompile a.psf --gzip").code, 1);
}

namespace {

// Width and height from a PNG file's header, or 0 x 0 when it is not one.
std::pair<uint32_t, uint32_t> pngSize(const std::string& bytes) {
  const std::string signature = "\x89PNG\r\n\x1a\n";
  if (bytes.size() < 24 || bytes.compare(0, signature.size(), signature) != 0) {
    return {0, 0};
  }
  auto big = [&](size_t at) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3]));
  };
  return {big(16), big(20)};
}

}  // namespace

TEST_F(PsftoolTest, RenderSavesTheLastFrameAndEveryKthFrameAtTheSizeAsked) {
  std::filesystem::create_directories(dir.path("scene"));
  dir.write("scene/point.psf", sceneFile(systemBody(10, emitterChild(1, 3))).data());
  // Relative output paths belong to the caller's folder, not the scene's.
  const ToolRun run = psftool(dir, "render scene/point.psf --seed 3 --frames 5 --size 40x30 --out last.png "
                                   "--frames-dir frames --every 2", dir.path(""));
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(pngSize(contents(dir.path("last.png"))), std::make_pair(40u, 30u));
  EXPECT_EQ(pngSize(contents(dir.path("frames/frame-000002.png"))), std::make_pair(40u, 30u));
  EXPECT_EQ(pngSize(contents(dir.path("frames/frame-000004.png"))), std::make_pair(40u, 30u));
  EXPECT_FALSE(std::filesystem::exists(dir.path("frames/frame-000005.png")));
  EXPECT_NE(run.out.find("5 frames at 40x30"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("frames per second, 3 live particles at the end"), std::string::npos) << run.out;
}

TEST_F(PsftoolTest, RenderProfileSavesNothingAndSplitsTheFrameTime) {
  std::filesystem::create_directories(dir.path("scene"));
  dir.write("scene/point.psf", sceneFile(systemBody(10, emitterChild(1, 3))).data());
  const ToolRun run = psftool(dir, "render scene/point.psf --seed 3 --frames 5 --size 40x30 --profile", dir.path(""));
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("scene/point.psf: 5 frames at 40x30, ", 0), 0u) << run.out;
  for (const char* part : {" ms a frame: simulation ", " ms (", "), the draw's processor work ",
                           "), the rest (OpenGL and its driver) ", "); 3 live particles at the end\n"}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << " in " << run.out;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path("last.png")));
}

TEST_F(PsftoolTest, RenderStatsGiveTheFiguresOfEverySavedFrame) {
  // No emitter: every frame is the black screen.
  const std::string scene = dir.write("empty.psf", sceneFile(systemBody(5, Bytes().u32(0))).data());
  const ToolRun run = psftool(dir, "render " + scene + " --seed 1 --frames 4 --size 8x8 --out last.png "
                                   "--frames-dir frames --every 2 --stats", dir.path(""));
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string black = ": lit 0.0%, mean grey 0.000, mean saturation 0.00\n";
  EXPECT_NE(run.out.find("frame-000002.png" + black), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("frame-000004.png" + black), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("last.png" + black), std::string::npos) << run.out;
}

TEST_F(PsftoolTest, RenderRefusesMissingOrBadOptions) {
  const std::string scene = dir.write("ok.psf", sceneFile(systemBody(5, Bytes().u32(0))).data());
  EXPECT_EQ(psftool(dir, "render " + scene + " --seed 1 --frames 2").code, 1);  // nowhere to save
  EXPECT_EQ(psftool(dir, "render " + scene + " --seed 1 --frames 2 --out a.png --size 0x10").code, 1);
  EXPECT_EQ(psftool(dir, "render " + scene + " --seed 1 --frames 2 --out a.png --size 64").code, 1);
  EXPECT_EQ(psftool(dir, "render " + scene + " --seed 1 --frames 2 --out a.png --fade x").code, 1);
  const ToolRun missing = psftool(dir, "render " + dir.path("nowhere.psf") + " --seed 1 --frames 1 --out a.png");
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, dir.path("nowhere.psf") + ": File Not Found\n");
}

namespace {

// A scene in the folder scene/ whose picture is the named Targa file.
std::string sceneWithPicture(const TempDir& dir, const char* picture) {
  std::filesystem::create_directories(dir.path("scene"));
  SystemBody body;
  body.limit = 10;
  body.image = imageChild("ITGA", picture);
  return dir.write("scene/pictured.psf", sceneFile(body.bytes()).data());
}

}  // namespace

TEST_F(PsftoolTest, ErrorsNameTheFileTheyAreAboutAndWhatToDo) {
  const std::string source = writeText(dir, "fall.toml", kFallingScene);
  const ToolRun compiledFirst = psftool(dir, "check " + dir.path("fall.psf"));
  EXPECT_EQ(compiledFirst.err,
            dir.path("fall.psf") + ": File Not Found (its source " + source + " is there: compile it first)\n");
  const ToolRun sourceChecked = psftool(dir, "check " + source);
  EXPECT_EQ(sourceChecked.err,
            source + ": PSF File Load Failed (a scene source, not a scene file: psftool compile makes one of it)\n");

  // A picture is looked up beside its scene, and the message says which scene names it.
  const std::string scene = sceneWithPicture(dir, "glow.tga");
  const ToolRun noPicture = psftool(dir, "check " + scene);
  EXPECT_EQ(noPicture.code, 1);
  EXPECT_EQ(noPicture.err, dir.path("scene/glow.tga") + ": File Not Found (the picture named by " + scene +
                               ", looked up in the scene's folder)\n");
  writeText(dir, "scene/glow.tga", "not a picture");
  const ToolRun badPicture = psftool(dir, "simulate " + scene + " --seed 1 --steps 1");
  EXPECT_EQ(badPicture.err, dir.path("scene/glow.tga") + ": Illegal TGA (the picture named by " + scene +
                                ", looked up in the scene's folder)\n");

  const ToolRun unwritable = psftool(dir, "compile " + source + " -o " + dir.path("nowhere/fall.psf"));
  EXPECT_EQ(unwritable.code, 1);
  EXPECT_EQ(unwritable.err, dir.path("nowhere/fall.psf") + ": Write Failed (No such file or directory)\n");
  const ToolRun noSource = psftool(dir, "compile " + dir.path("nowhere.toml"));
  EXPECT_EQ(noSource.err, dir.path("nowhere.toml") + ": File Not Found\n");
  ASSERT_EQ(psftool(dir, "compile " + source).code, 0);
  const ToolRun binary = psftool(dir, "compile " + dir.path("fall.psf") + " -o " + dir.path("again.psf"));
  EXPECT_EQ(binary.err,
            dir.path("fall.psf") + ": a scene file, not a scene source (psftool decompile turns it into one)\n");
}

TEST_F(PsftoolTest, AnOutputThatIsTheInputIsRefusedAndTheInputKept) {
  const std::string source = writeText(dir, "fall.toml", kFallingScene);
  // Another spelling of the same file is the same file.
  for (const std::string& output : {source, std::string("./fall.toml")}) {
    const ToolRun run = psftool(dir, "compile fall.toml -o " + output, dir.path(""));
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, output + ": the output is the input file and would overwrite it (name another with -o)\n");
  }
  EXPECT_EQ(contents(source), kFallingScene);

  // A source named like a scene file would be its own default output.
  const std::string misnamed = writeText(dir, "text.psf", kFallingScene);
  EXPECT_EQ(psftool(dir, "compile " + misnamed).code, 1);
  EXPECT_EQ(contents(misnamed), kFallingScene);

  ASSERT_EQ(psftool(dir, "compile " + source).code, 0);
  const std::string compiled = contents(dir.path("fall.psf"));
  const ToolRun back = psftool(dir, "decompile fall.psf -o fall.psf", dir.path(""));
  EXPECT_EQ(back.code, 1);
  EXPECT_EQ(back.err, "fall.psf: the output is the input file and would overwrite it (name another with -o)\n");
  EXPECT_EQ(contents(dir.path("fall.psf")), compiled);
}

TEST_F(PsftoolTest, UsageErrorsSayWhatIsWrongBeforeTheUsage) {
  dir.write("ok.psf", sceneFile(systemBody(5, Bytes().u32(0))).data());
  const std::string simulate = "usage: psftool simulate SCENE.psf --seed S --steps N";
  const std::string render = "usage: psftool render SCENE.psf --seed S --frames N";
  const std::pair<std::string, std::string> cases[] = {
      {"simulate ok.psf --seed 1 --steps 2 --fast", "psftool simulate: unknown option '--fast'\n" + simulate},
      {"simulate ok.psf --steps 2 --seed", "psftool simulate: --seed needs a value\n" + simulate},
      {"simulate ok.psf --seed 1", "psftool simulate: --steps N is needed\n" + simulate},
      {"simulate --seed 1 --steps 2", "psftool simulate: a scene file is needed\n" + simulate},
      {"render ok.psf --seed 1 --frames 2",
       "psftool render: --out FILE.png, --frames-dir DIR or --profile is needed\n" + render},
      {"render ok.psf ok.psf", "psftool render: one scene only, not 'ok.psf' and 'ok.psf'\n" + render},
      {"compile", "psftool compile: no input file\nusage: psftool compile SCENE.toml"},
      {"compile a.toml -o", "psftool compile: -o needs a file name\nusage: psftool compile SCENE.toml"},
      {"decompile a.psf --gzip", "psftool decompile: unknown option '--gzip'\nusage: psftool decompile SCENE.psf"},
      {"check a.psf b.psf", "psftool check: one input only, not 'a.psf' and 'b.psf'\nusage: psftool check SCENE.psf"},
      {"", "psftool: no command given\nusage: psftool COMMAND"},
      {"frobnicate", "psftool: unknown command 'frobnicate'\nusage: psftool COMMAND"},
  };
  for (const auto& [args, message] : cases) {
    const ToolRun run = psftool(dir, args, dir.path(""));
    EXPECT_EQ(run.code, 1) << args;
    EXPECT_EQ(run.err.substr(0, message.size()), message) << args;
  }
}

TEST_F(PsftoolTest, RenderTakesAFadeFromZeroToOneAndASideFromOneTo4096) {
  const std::string scene = dir.write("ok.psf", sceneFile(systemBody(5, emitterChild(1, 3))).data());
  const std::string run = "render " + scene + " --seed 1 --frames 1 --out " + dir.path("a.png") + " ";
  EXPECT_EQ(psftool(dir, run + "--fade -1").err, "psftool render: --fade needs a number from 0 to 1, not '-1'\n");
  EXPECT_EQ(psftool(dir, run + "--fade 1.01").code, 1);
  EXPECT_EQ(psftool(dir, run + "--size 0x10").err,
            "psftool render: --size needs a whole number from 1 to 4096, not '0'\n");
  EXPECT_EQ(psftool(dir, run + "--size 8x4097").code, 1);
  const ToolRun edges = psftool(dir, run + "--fade 0 --size 1x4096");
  EXPECT_EQ(edges.code, 0) << edges.err;
  EXPECT_EQ(psftool(dir, run + "--fade 1 --size 4096x1").code, 0);
  // Not on a terminal, so no progress line: standard error stays empty.
  EXPECT_EQ(edges.err, "");
}

TEST_F(PsftoolTest, CompileSaysWhatItWroteAndWarnsOfAPictureNotBesideIt) {
  const std::string source = writeText(dir, "lit.toml", std::string(kFallingScene) +
                                                          "\n[image]\ntype = \"TgaImage\"\nfileName = \"glow.tga\"\n");
  const ToolRun alone = psftool(dir, "compile lit.toml -o lit.psf", dir.path(""));
  EXPECT_EQ(alone.code, 0);
  EXPECT_EQ(alone.out, "wrote lit.psf (" + std::to_string(contents(dir.path("lit.psf")).size()) + " bytes)\n");
  EXPECT_EQ(alone.err,
            "lit.psf: warning: the picture it names, glow.tga, is not there (a scene's pictures are looked up in its "
            "folder)\n");
  writeText(dir, "glow.tga", "");
  const ToolRun beside = psftool(dir, "compile lit.toml -o lit.psf", dir.path(""));
  EXPECT_EQ(beside.err, "");
}

TEST_F(PsftoolTest, SimulateSummaryGivesOneRowPerDumpStep) {
  Bytes moving;
  moving.tag("EMIT").vec({}).vec({}).vec({}).vec({1, 2, 3}).vec({}).i32(1);
  moving.f32(0).f32(1).f32(1).f32(0).f32(0).f32(0).f32(0).f32(0).i32(3).raw(noCurves().data()).i32(1);
  dir.write("moving.psf", sceneFile(systemBody(10, moving)).data());
  const ToolRun run = psftool(dir, "simulate moving.psf --seed 5 --steps 2 --dump-every 1 --summary", dir.path(""));
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "step,live,oxMin,oxMax,oyMin,oyMax,ozMin,ozMax,aMean,sizeMean\n"
            "1,1,1,1,2,2,3,3,1,0.5\n"
            "2,2,1,2,2,4,3,6,1,0.5\n");

  dir.write("empty.psf", sceneFile(systemBody(5, Bytes().u32(0))).data());
  const ToolRun empty = psftool(dir, "simulate empty.psf --seed 1 --steps 1 --summary --dump s.csv", dir.path(""));
  EXPECT_EQ(empty.out, "1 steps, 0 live particles\n");
  EXPECT_EQ(contents(dir.path("s.csv")), std::string(kSummaryHeader) + "1,0,,,,,,,,\n");
  EXPECT_EQ(empty.err, "");
}

TEST_F(PsftoolTest, HelpAndVersion) {
  const ToolRun help = psftool(dir, "help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("\n  compile    "), std::string::npos) << help.out;
  const ToolRun command = psftool(dir, "help compile");
  EXPECT_EQ(command.code, 0);
  EXPECT_EQ(command.out, psftool(dir, "compile --help").out);
  const ToolRun version = psftool(dir, "--version");
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, std::string("psftool ") + OSTREL_VERSION + "\n");
}

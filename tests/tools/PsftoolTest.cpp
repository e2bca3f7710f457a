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
#include "tools/Simulation.h"

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
  EXPECT_EQ(missing.err, "File Not Found\n");

  const std::string reversed = dir.write("reversed.psf", {0x50, 0x53, 0x48, 0x44, 0, 0, 0, 0});
  const ToolRun badMagic = psftool(dir, "simulate " + reversed + " --seed 1 --steps 1");
  EXPECT_EQ(badMagic.code, 1);
  EXPECT_EQ(badMagic.err, "PSF File Load Failed\n");

  const std::string truncated = dir.write("short.psf", sceneFile(Bytes().u32(5).tag("EMIT").u32(0)).data());
  const ToolRun shortRun = psftool(dir, "check " + truncated);
  EXPECT_EQ(shortRun.code, 1);
  EXPECT_EQ(shortRun.err, "Read Failed\n");

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
  for (const char* command : {"check", "simulate", "compile", "decompile"}) {
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
  EXPECT_EQ(shortFile.err, "Read Failed\n");
  EXPECT_EQ(shortFile.out, "");

  const ToolRun missing = psftool(dir, "decompile " + dir.path("nowhere.psf"));
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "File Not Found\n");

  const std::string bad = writeText(dir, "bad.toml", "[system]\nmaxParticles = 1.5\n");
  const ToolRun badText = psftool(dir, "compile " + bad);
  EXPECT_EQ(badText.code, 1);
  EXPECT_EQ(badText.err, bad + ":2:16: system.maxParticles: expected an integer, found a floating-point number\n");
  EXPECT_FALSE(std::ifstream(dir.path("bad.psf")).good());

  EXPECT_EQ(psftool(dir, "compile").code, 1);
  EXPECT_EQ(psftool(dir, "decompile a.psf b.psf").code, 1);
  EXPECT_EQ(psftool(dir, "decompile a.psf --gzip").code, 1);
}

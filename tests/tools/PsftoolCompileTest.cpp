// psftool compile and decompile as a scene author runs them: files, exit codes, messages.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "objfile/StreamFactory.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

namespace {

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string writeText(const TempDir& dir, const std::string& name, const std::string& text) {
  return dir.write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> readBytes(const std::string& path) {
  const std::string text = readText(path);
  return {text.begin(), text.end()};
}

ToolRun psftool(const TempDir& dir, const std::string& arguments) {
  const std::string out = dir.path("stdout.txt");
  const std::string err = dir.path("stderr.txt");
  const std::string command = std::string(PSFTOOL_PATH) + " " + arguments + " >" + out + " 2>" + err;
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(out), readText(err)};
}

const char kScene[] = R"([system]
maxParticles = 100

[emitter]
rate = 2
life = 50

[[modifiers]]
type = "ForceModifier"
force = [0.0, -0.01, 0.0]
)";

}  // namespace

TEST(PsftoolCompileTest, GzipOutputReadsBackThroughTheGzipStream) {
  TempDir dir;
  const std::string source = writeText(dir, "fall.toml", kScene);
  ASSERT_EQ(psftool(dir, "compile " + source).exitCode, 0);
  ASSERT_EQ(psftool(dir, "compile " + source + " --gzip -o " + dir.path("fall.psf.gz")).exitCode, 0);
  const std::vector<uint8_t> plain = readBytes(dir.path("fall.psf"));
  // The frame and limit, the emitter, two counts, the force modifier, the image tag.
  ASSERT_EQ(plain.size(), 12u + 4 + 120 + 4 + 4 + 4 + 12 + 4);
  const std::vector<uint8_t> packed = readBytes(dir.path("fall.psf.gz"));
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(packed[0], 0x1F);
  EXPECT_EQ(packed[1], 0x8B);
  std::unique_ptr<Stream> stream = StreamFactory::instance().openGzFile(dir.path("fall.psf.gz").c_str());
  std::vector<uint8_t> unpacked(plain.size());
  stream->readExactly(unpacked.data(), static_cast<int>(unpacked.size()));
  EXPECT_EQ(unpacked, plain);
  // Compressing the same scene again gives the same file.
  ASSERT_EQ(psftool(dir, "compile " + source + " --gzip -o " + dir.path("again.psf.gz")).exitCode, 0);
  EXPECT_EQ(readBytes(dir.path("again.psf.gz")), packed);
}

TEST(PsftoolCompileTest, DecompileOfEitherFormThenCompileGivesTheSameBytes) {
  TempDir dir;
  const std::string source = writeText(dir, "fall.toml", kScene);
  ASSERT_EQ(psftool(dir, "compile " + source + " --gzip -o " + dir.path("packed.psf")).exitCode, 0);
  const ToolRun printed = psftool(dir, "decompile " + dir.path("packed.psf"));
  ASSERT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_EQ(printed.out.rfind("[system]\nmaxParticles = 100\n", 0), 0u) << printed.out;
  ASSERT_EQ(psftool(dir, "compile " + source + " -o " + dir.path("plain.psf")).exitCode, 0);
  ASSERT_EQ(psftool(dir, "decompile " + dir.path("plain.psf") + " -o " + dir.path("plain.toml")).exitCode, 0);
  EXPECT_EQ(readText(dir.path("plain.toml")), printed.out);
  ASSERT_EQ(psftool(dir, "compile " + dir.path("plain.toml") + " -o " + dir.path("second.psf")).exitCode, 0);
  EXPECT_EQ(readBytes(dir.path("second.psf")), readBytes(dir.path("plain.psf")));
}

TEST(PsftoolCompileTest, FailuresPrintOneMessageAndExit1) {
  TempDir dir;
  const std::string truncated = dir.write("short.psf", Bytes().tag("PSHD").tag("PSYS").u16(7).data());
  const ToolRun shortFile = psftool(dir, "decompile " + truncated);
  EXPECT_EQ(shortFile.exitCode, 1);
  EXPECT_EQ(shortFile.err, "Read Failed\n");
  EXPECT_EQ(shortFile.out, "");

  const ToolRun missing = psftool(dir, "decompile " + dir.path("nowhere.psf"));
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "File Not Found\n");

  const std::string bad = writeText(dir, "bad.toml", "[system]\nmaxParticles = 1.5\n");
  const ToolRun badText = psftool(dir, "compile " + bad);
  EXPECT_EQ(badText.exitCode, 1);
  EXPECT_EQ(badText.err, bad + ":2:16: system.maxParticles: expected an integer, found a floating-point number\n");
  EXPECT_FALSE(std::ifstream(dir.path("bad.psf")).good());

  EXPECT_EQ(psftool(dir, "compile").exitCode, 1);
  EXPECT_EQ(psftool(dir, "decompile a.psf b.psf").exitCode, 1);
  EXPECT_EQ(psftool(dir, "decompile a.psf --gzip").exitCode, 1);
}

TEST(PsftoolCompileTest, EachSubcommandExplainsItself) {
  TempDir dir;
  const ToolRun compile = psftool(dir, "compile --help");
  EXPECT_EQ(compile.exitCode, 0);
  EXPECT_EQ(compile.out.rfind("usage: psftool compile SCENE.toml [-o OUT.psf] [--gzip]\n", 0), 0u);
  const ToolRun decompile = psftool(dir, "decompile --help");
  EXPECT_EQ(decompile.exitCode, 0);
  EXPECT_EQ(decompile.out.rfind("usage: psftool decompile SCENE.psf [-o OUT.toml]\n", 0), 0u);
}

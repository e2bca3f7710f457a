#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/vtException.h"
#include "tools/Command.h"
#include "tools/FileArguments.h"
#include "tools/OutputFile.h"
#include "tools/SceneCompiler.h"

namespace {

const char kUsage[] = "usage: psftool compile SCENE.toml [-o OUT.psf] [--gzip]\n";

// scene.toml gives scene.psf beside it.
std::string defaultOutput(const std::string& source) {
  const std::string::size_type dot = source.rfind('.');
  const std::string::size_type slash = source.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? source.substr(0, dot) : source) + ".psf";
}

}  // namespace

int runCompile(const std::vector<std::string>& args) {
  FileArguments files;
  if (!FileArguments::parse(args, true, files)) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  std::ifstream in(files.input, std::ios::binary);
  if (!in) {
    throw vtException(ErrorCode::FileNotFound);
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::vector<uint8_t> bytes = SceneCompiler::compile(text.str(), files.input);
  writeOutputFile(files.output.empty() ? defaultOutput(files.input) : files.output, bytes.data(), bytes.size(),
                  files.gzip);
  return 0;
}

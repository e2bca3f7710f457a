#include <cstdio>

#include "core/vtException.h"
#include "objfile/StreamFactory.h"
#include "tools/Command.h"
#include "tools/FileArguments.h"
#include "tools/OutputFile.h"
#include "tools/SceneCompiler.h"

namespace {

const char kUsage[] = "usage: psftool decompile SCENE.psf [-o OUT.toml]\n";

}  // namespace

int runDecompile(const std::vector<std::string>& args) {
  FileArguments files;
  if (!FileArguments::parse(args, false, files)) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  // The gzip stream reads plain files as they stand.
  const std::string text = SceneCompiler::decompile(*StreamFactory::instance().openGzFile(files.input.c_str()));
  if (files.output.empty()) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
      throw vtException(ErrorCode::WriteFailed);
    }
  } else {
    writeOutputFile(files.output, text.data(), text.size(), false);
  }
  return 0;
}

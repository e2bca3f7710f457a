#include <cstdio>

#include "core/vtException.h"
#include "objfile/StreamFactory.h"
#include "tools/commands/Command.h"
#include "tools/commands/FileArguments.h"
#include "tools/commands/FileError.h"
#include "tools/commands/OutputFile.h"
#include "tools/textformat/SceneCompiler.h"

namespace {

std::string decompile(const std::string& path) {
  try {
    // The gzip stream reads plain files as they stand.
    return SceneCompiler::decompile(*StreamFactory::instance().openGzFile(path.c_str()));
  } catch (const vtException& e) {
    throw FileError::scene(path, e);
  }
}

}  // namespace

int runDecompile(const std::vector<std::string>& args) {
  const FileArguments files = FileArguments::parse(args, true, false);
  if (!files.output.empty()) {
    refuseToOverwriteInput(files.input, files.output);
  }
  const std::string text = decompile(files.input);
  if (files.output.empty()) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
      throw FileError("standard output", vtException(ErrorCode::WriteFailed));
    }
  } else {
    writeOutputFile(files.output, text.data(), text.size(), false);
  }
  return 0;
}

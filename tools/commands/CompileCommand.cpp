#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/vtException.h"
#include "objfile/MemoryStream.h"
#include "tools/commands/Command.h"
#include "tools/commands/FileArguments.h"
#include "tools/commands/FileError.h"
#include "tools/commands/OutputFile.h"
#include "tools/textformat/SceneBinary.h"
#include "tools/textformat/SceneCompiler.h"

namespace fs = std::filesystem;

namespace {

// scene.toml gives scene.psf beside it.
std::string defaultOutput(const std::string& source) {
  const std::string::size_type dot = source.rfind('.');
  const std::string::size_type slash = source.find_last_of("/\\");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? source.substr(0, dot) : source) + ".psf";
}

std::string readSource(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw FileError(path, vtException(ErrorCode::FileNotFound));
  }
  std::ostringstream text;
  text << in.rdbuf();
  // A scene file starts with its file tag, stored as "DHSP", or is gzip data.
  const std::string bytes = text.str();
  if (bytes.compare(0, 4, "DHSP") == 0 || bytes.compare(0, 2, "\x1f\x8b") == 0) {
    throw FileError(path, "a scene file, not a scene source", "psftool decompile turns it into one");
  }
  return bytes;
}

// The file name of the scene's picture, empty when it has none.
std::string pictureName(const std::vector<uint8_t>& bytes) {
  MemoryStream stream(bytes);
  const ObjectValue root = SceneBinary::read(stream);
  if (root.schema == nullptr) {
    return "";
  }
  for (size_t i = 0; i < root.schema->fields.size(); ++i) {
    const ObjectValue& image = root.fields[i].objects.empty() ? ObjectValue() : root.fields[i].objects[0];
    if (root.schema->fields[i].family == Family::Image && image.schema != nullptr) {
      return image.fields[0].text;
    }
  }
  return "";
}

// The screensaver looks for a scene's picture in the scene's own folder, so a picture that is not
// beside the output ends the show with "File Not Found".
void warnOfAMissingPicture(const std::string& output, const std::vector<uint8_t>& bytes) {
  const std::string name = pictureName(bytes);
  const fs::path picture = fs::path(output).parent_path() / name;
  if (!name.empty() && !fs::is_regular_file(picture)) {
    std::fprintf(stderr, "%s: warning: the picture it names, %s, is not there (%s)\n", output.c_str(),
                 picture.string().c_str(), "a scene's pictures are looked up in its folder");
  }
}

}  // namespace

int runCompile(const std::vector<std::string>& args) {
  const FileArguments files = FileArguments::parse(args, true, true);
  const std::string output = files.output.empty() ? defaultOutput(files.input) : files.output;
  refuseToOverwriteInput(files.input, output);
  const std::vector<uint8_t> bytes = SceneCompiler::compile(readSource(files.input), files.input);
  writeOutputFile(output, bytes.data(), bytes.size(), files.gzip);
  std::printf("wrote %s (%zu bytes%s)\n", output.c_str(), bytes.size(), files.gzip ? " before gzip" : "");
  warnOfAMissingPicture(output, bytes);
  return 0;
}

#include "tools/textformat/SceneCompiler.h"

#include "core/vtException.h"
#include "objfile/MemoryStream.h"
#include "scene/SceneLoader.h"
#include "tools/textformat/RegistryMark.h"
#include "tools/textformat/SceneBinary.h"
#include "tools/textformat/SceneTextReader.h"
#include "tools/textformat/SceneTextWriter.h"

namespace {

// Reads the scene through the engine's own readers, so that nothing the engine would refuse
// leaves the compiler. The image stays out: reading one opens its file, which lies where the
// scene is installed rather than where it is compiled, and makes a texture, which needs a GL
// context. Its record is only a name, and `psftool check` loads the scene whole.
void verify(ObjectValue scene, const std::string& sourceName) {
  if (scene.schema == nullptr) {
    return;
  }
  for (size_t i = 0; i < scene.schema->fields.size(); ++i) {
    if (scene.schema->fields[i].family == Family::Image) {
      scene.fields[i].objects.assign(1, ObjectValue());
    }
  }
  MemoryStream bytes;
  SceneBinary::write(bytes, scene);
  MemoryStream stream(bytes.bytes());
  RegistryMark mark;
  try {
    SceneLoader::instance().load(stream);
  } catch (const vtException& e) {
    throw SceneTextError(sourceName + ": the engine does not read the compiled scene: " + e.text);
  }
}

}  // namespace

std::vector<uint8_t> SceneCompiler::compile(const std::string& text, const std::string& sourceName) {
  const ObjectValue scene = SceneTextReader::parse(text, sourceName);
  verify(scene, sourceName);
  MemoryStream stream;
  SceneBinary::write(stream, scene);
  return stream.bytes();
}

std::string SceneCompiler::decompile(Stream& stream) { return SceneTextWriter::format(SceneBinary::read(stream)); }

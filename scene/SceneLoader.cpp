#include "scene/SceneLoader.h"

#include "objfile/StreamFactory.h"
#include "scene/ObjectFactory.h"

SceneLoader& SceneLoader::instance() {
  static SceneLoader loader;
  return loader;
}

PsfObject* SceneLoader::load(String name, bool compressed) const {
  const StreamFactory& streams = StreamFactory::instance();
  std::unique_ptr<Stream> stream = compressed ? streams.openGzFile(name) : streams.openFile(name);
  return load(*stream);
}

PsfObject* SceneLoader::load(Stream& stream) const {
  if (readTag(stream) != kFileTag) {
    throw vtException(ErrorCode::PsfFileLoadFailed);
  }
  return ObjectFactory::instance().readChild<PsfObject>(stream);
}

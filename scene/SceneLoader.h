#pragma once
// Opens a scene file, checks its file tag and reads its root object.

#include "core/String.h"
#include "objfile/PsfObject.h"

class SceneLoader {
 public:
  static SceneLoader& instance();

  // The root object, or none when the file's root tag is 0. The gzip stream reads plain files
  // too. On failure the objects read so far stay with the registry.
  PsfObject* load(String name, bool compressed) const;
  // The same from a stream that is already open; the caller keeps it.
  PsfObject* load(Stream& stream) const;

 private:
  SceneLoader() = default;
};

#pragma once
// Scene bytes to values and back, by the schema: the PSF frame (file tag, root tag, body) with
// every object read and written field by field in file order.

#include "objfile/Stream.h"
#include "tools/textformat/SceneValue.h"

class SceneBinary {
 public:
  // Checks the file tag ("PSF File Load Failed"), then reads the root: none for tag 0, else a
  // particle system. A tag where no object of the expected family can stand is "Illegal Particle
  // ID"; data that ends inside a field is "Read Failed"; trailing bytes are not read.
  static ObjectValue read(Stream& stream);
  static void write(Stream& stream, const ObjectValue& root);
};

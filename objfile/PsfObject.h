#pragma once
// The root of every stored class. Constructing one registers it with the object registry, which
// owns it from then on.

#include "core/RegisteredObject.h"
#include "objfile/Stream.h"
#include "objfile/Tag.h"

class PsfObject : public RegisteredObject {
 public:
  virtual Tag tag() const;
  // A body is its base classes' fields, then the class's own; read and write mirror each other.
  virtual void read(Stream& stream);
  virtual void write(Stream& stream) const;
  ~PsfObject() override = 0;

  // A contained object is its tag and its body; an absent one is the tag 0 alone.
  static void writeChild(Stream& stream, const PsfObject* child);
};

#pragma once
// The root of every stored class. Constructing one registers it with the object registry, which
// owns it from then on.

#include "core/RegisteredObject.h"
#include "objfile/FieldVisitor.h"
#include "objfile/Stream.h"
#include "objfile/Tag.h"

class PsfObject : public RegisteredObject {
 public:
  // Every stored class states its tag once, as kTag, and its tag() returns it; the tag factory's
  // table takes it from there.
  static constexpr Tag kTag = makeTag("OBJC");

  virtual Tag tag() const;
  // A body is its base classes' fields, then the class's own; read and write mirror each other.
  // Here: the fields visitFields lists, each one 4-byte stream call per scalar, then derive. A
  // class whose body holds more than such fields (objects, lists, curves, a name) reads and
  // writes the rest itself.
  virtual void read(Stream& stream);
  virtual void write(Stream& stream) const;
  ~PsfObject() override = 0;

  // Shows the visitor every stored field, by name, in file order; none here.
  virtual void visitFields(FieldVisitor& visitor);
  // Recomputes the derived fields (squares, axes, planes) from the stored ones. Call it after
  // changing a stored field by hand; read calls it after the last field.
  virtual void derive();

  // A contained object is its tag and its body; an absent one is the tag 0 alone.
  static void writeChild(Stream& stream, const PsfObject* child);
};

#include "objfile/PsfObject.h"

#include "objfile/FieldIo.h"

Tag PsfObject::tag() const { return makeTag("OBJC"); }

void PsfObject::read(Stream&) {}

void PsfObject::write(Stream&) const {}

PsfObject::~PsfObject() = default;

void PsfObject::writeChild(Stream& stream, const PsfObject* child) {
  if (child == nullptr) {
    writeTag(stream, 0);
    return;
  }
  writeTag(stream, child->tag());
  child->write(stream);
}

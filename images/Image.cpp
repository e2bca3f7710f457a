#include "images/Image.h"

#include "objfile/StringIo.h"

Tag Image::tag() const { return makeTag("IMAG"); }

void Image::read(Stream& stream) {
  PsfObject::read(stream);
  readFrom(stream, fileName_);
  loadFile(fileName_);
}

void Image::write(Stream& stream) const {
  PsfObject::write(stream);
  writeTo(stream, fileName_);
}

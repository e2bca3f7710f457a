#include "modifiers/Modifier.h"

#include "core/FloatMath.h"
#include "objfile/FieldIo.h"

Tag Modifier::tag() const { return makeTag("MDFR"); }

void Modifier::read(Stream& stream) {
  PsfObject::read(stream);
  for (int i = 0; i < fieldCount_; ++i) {
    fields_[i].read(stream);
  }
  derive();
}

void Modifier::write(Stream& stream) const {
  PsfObject::write(stream);
  for (int i = 0; i < fieldCount_; ++i) {
    fields_[i].write(stream);
  }
}

void Modifier::advance() {}

bool Modifier::isActive() const { return true; }

void Modifier::derive() {}

void Modifier::StoredField::read(Stream& stream) const {
  if (scalar_ != nullptr) {
    readField(stream, *scalar_);
  } else {
    readField(stream, *vector_);
  }
}

void Modifier::StoredField::write(Stream& stream) const {
  if (scalar_ != nullptr) {
    writeField(stream, *scalar_);
  } else {
    writeField(stream, *vector_);
  }
}

Modifier::Heading Modifier::headingOf(const Vec3& velocity) {
  const float speed = floatSqrt(Vec3::lengthSquared(velocity));
  return {speed, velocity / speed};
}

Vec3 Modifier::bend(const Heading& heading, const Vec3& side, float weight) {
  const Vec3 s = heading.dir + side * weight;
  return s * (heading.speed / floatSqrt(Vec3::lengthSquared(s)));
}

#include "objfile/FieldIo.h"

void readField(Stream& stream, float& field) { stream.readExactly(&field, 4); }
void readField(Stream& stream, int32_t& field) { stream.readExactly(&field, 4); }
void readField(Stream& stream, uint32_t& field) { stream.readExactly(&field, 4); }

void readField(Stream& stream, Vec3& field) {
  readField(stream, field.x);
  readField(stream, field.y);
  readField(stream, field.z);
}

void readField(Stream& stream, Color4& field) {
  readField(stream, field.r);
  readField(stream, field.g);
  readField(stream, field.b);
  readField(stream, field.a);
}

void writeField(Stream& stream, float field) { stream.write(&field, 4); }
void writeField(Stream& stream, int32_t field) { stream.write(&field, 4); }
void writeField(Stream& stream, uint32_t field) { stream.write(&field, 4); }

void writeField(Stream& stream, const Vec3& field) {
  writeField(stream, field.x);
  writeField(stream, field.y);
  writeField(stream, field.z);
}

void writeField(Stream& stream, const Color4& field) {
  writeField(stream, field.r);
  writeField(stream, field.g);
  writeField(stream, field.b);
  writeField(stream, field.a);
}

Tag readTag(Stream& stream) {
  Tag tag = 0;
  readField(stream, tag);
  return tag;
}

void writeTag(Stream& stream, Tag tag) { writeField(stream, tag); }

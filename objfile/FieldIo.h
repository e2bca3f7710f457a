#pragma once
// Stored fields: every scalar is 4 bytes moved with one stream call straight into or out of the
// field. A field the data ends inside is "Read Failed", even through the gzip stream, whose own
// read accepts a short count.

#include <cstddef>
#include <cstdint>

#include "core/Color4.h"
#include "core/Vec3.h"
#include "objfile/Stream.h"
#include "objfile/Tag.h"

void readField(Stream& stream, float& field);
void readField(Stream& stream, int32_t& field);
void readField(Stream& stream, uint32_t& field);
// x, y, z: three reads.
void readField(Stream& stream, Vec3& field);
// red, green, blue, alpha: four reads.
void readField(Stream& stream, Color4& field);

void writeField(Stream& stream, float field);
void writeField(Stream& stream, int32_t field);
void writeField(Stream& stream, uint32_t field);
void writeField(Stream& stream, const Vec3& field);
void writeField(Stream& stream, const Color4& field);

Tag readTag(Stream& stream);
void writeTag(Stream& stream, Tag tag);

// An array field is its elements in index order.
template <class T, std::size_t N>
void readField(Stream& stream, T (&fields)[N]) {
  for (T& field : fields) {
    readField(stream, field);
  }
}
template <class T, std::size_t N>
void writeField(Stream& stream, const T (&fields)[N]) {
  for (const T& field : fields) {
    writeField(stream, field);
  }
}

// A run of stored fields in the order given: a class's read and write name the same run.
template <class... Fields>
void readFields(Stream& stream, Fields&... fields) {
  (readField(stream, fields), ...);
}
template <class... Fields>
void writeFields(Stream& stream, const Fields&... fields) {
  (writeField(stream, fields), ...);
}

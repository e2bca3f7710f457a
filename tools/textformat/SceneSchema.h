#pragma once
// The stored form of every scene class, field by field in file order: the one description that
// both `psftool compile` and `psftool decompile` walk, so the text format and the bytes cannot
// drift apart. It is derived from the engine: the classes, their tags, names and families from the
// tag factory's table, and the fields of shapes and modifiers, with their defaults, from their own
// field lists.

#include <cstdint>
#include <string>
#include <vector>

#include "objfile/Tag.h"
#include "scene/ObjectFactory.h"

enum class FieldKind {
  Float,       // 4 bytes, IEEE single precision
  Int32,       // 4 bytes, signed
  UInt32,      // 4 bytes, unsigned
  Vec3,        // x, y, z floats
  Vec3Array,   // `count` Vec3s in a row (corners, vertices)
  String,      // bytes and a NUL
  ColorCurve,  // resolution, key count, keys of red, green, blue, alpha and percent
  SizeCurve,   // resolution, key count, keys of value and percent
  Object,      // a contained object of `family`: its tag and body, or tag 0
  ObjectList,  // a signed count and that many contained objects of `family`
};

// A name the text format accepts for an integer field's value (emitter shapes, bounce modes).
struct NamedValue {
  const char* name;
  int32_t value;
};

struct FieldSchema {
  FieldSchema(const char* name, FieldKind kind) : name(name), kind(kind) {}

  const char* name;
  FieldKind kind;
  // Float, Vec3 and Vec3Array: the constructor's values, x, y, z of each vector in turn.
  std::vector<float> floatDefaults;
  // Int32 and UInt32.
  int64_t integerDefault = 0;
  // UInt32: the largest value the engine reads.
  int64_t highest = UINT32_MAX;
  // ObjectList: the most entries the engine reads.
  int32_t maxCount = INT32_MAX;
  // Vec3Array.
  int count = 0;
  // Int32 fields that have names for their values; empty for plain integers.
  std::vector<NamedValue> names;
  // Object and ObjectList.
  Family family = Family::System;
  // A field without a usable default must be given in the text (an image's file name).
  bool required = false;
};

struct ClassSchema {
  Tag tag;
  // The class name, which the text format uses as an object's `type`.
  const char* name;
  Family family;
  std::vector<FieldSchema> fields;
};

class SceneSchema {
 public:
  // Every stored class that the factory creates, in the factory's order.
  static const std::vector<ClassSchema>& classes();
  static const ClassSchema& root();
  // Null when no class has the tag.
  static const ClassSchema* byTag(Tag tag);
  // Null when the family has no class of that name.
  static const ClassSchema* byName(Family family, const std::string& name);
  // The family's class when it has only one (the text then needs no `type`), else null.
  static const ClassSchema* soleClass(Family family);
  // Bytes a field takes in a body; 0 for the variable-size kinds (strings, curves, objects).
  static int fixedSize(const FieldSchema& field);
  // The name that stands for a value of a named integer field, or null.
  static const char* nameOf(const FieldSchema& field, int32_t value);
};

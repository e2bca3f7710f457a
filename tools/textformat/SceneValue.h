#pragma once
// A scene as the schema sees it: every stored value kept as its exact 4-byte pattern, so text and
// bytes convert both ways without touching a float's bits (NaN payloads included).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/textformat/SceneSchema.h"

struct CurveKeyValue {
  // Colour keys: red, green, blue, alpha; size keys: the value in the first word.
  std::array<uint32_t, 4> value{};
  int32_t percent = 0;
};

struct CurveValue {
  int32_t resolution = 1;
  // In stored order.
  std::vector<CurveKeyValue> keys;
};

struct ObjectValue;

struct FieldValue {
  // Scalars and vectors: the 4-byte words in file order (float bits as they are stored).
  std::vector<uint32_t> words;
  // Strings: the bytes before the NUL.
  std::string text;
  CurveValue curve;
  // Object: exactly one entry (tag 0 when it has no schema); ObjectList: the entries in order.
  std::vector<ObjectValue> objects;
};

struct ObjectValue {
  // Null for tag 0: no object.
  const ClassSchema* schema = nullptr;
  // One per field of the schema, in the same order.
  std::vector<FieldValue> fields;
};

#include "tools/textformat/SceneBinary.h"

#include "core/String.h"
#include "core/vtException.h"
#include "objfile/FieldIo.h"
#include "objfile/StringIo.h"
#include "particles/LifeCurve.h"

namespace {

int keyWords(FieldKind kind) { return kind == FieldKind::ColorCurve ? 4 : 1; }

int fieldWords(const FieldSchema& field) { return SceneSchema::fixedSize(field) / 4; }

uint32_t readWord(Stream& stream) {
  uint32_t word = 0;
  readField(stream, word);
  return word;
}

int32_t readInt(Stream& stream) { return static_cast<int32_t>(readWord(stream)); }

void writeInt(Stream& stream, int32_t value) { writeField(stream, value); }

ObjectValue readObject(Stream& stream, Family family);
void writeObject(Stream& stream, const ObjectValue& object);

// A count of 0 or less is an empty list or curve, and the engine's limits hold, as the engine
// reads them: without them a small gzip file of zeros behind a huge count would grow the key or
// object list to gigabytes.
CurveValue readCurve(Stream& stream, FieldKind kind) {
  CurveValue curve;
  curve.resolution = readInt(stream);
  LifeCurve<float>::checkStoredResolution(curve.resolution);
  const int32_t count = readInt(stream);
  LifeCurve<float>::checkStoredKeyCount(count);
  for (int32_t i = 0; i < count; ++i) {
    CurveKeyValue key;
    for (int w = 0; w < keyWords(kind); ++w) {
      key.value[static_cast<size_t>(w)] = readWord(stream);
    }
    key.percent = readInt(stream);
    LifeCurve<float>::checkStoredPercent(key.percent);
    curve.keys.push_back(key);
  }
  return curve;
}

void writeCurve(Stream& stream, FieldKind kind, const CurveValue& curve) {
  writeInt(stream, curve.resolution);
  writeInt(stream, static_cast<int32_t>(curve.keys.size()));
  for (const CurveKeyValue& key : curve.keys) {
    for (int w = 0; w < keyWords(kind); ++w) {
      writeField(stream, key.value[static_cast<size_t>(w)]);
    }
    writeInt(stream, key.percent);
  }
}

FieldValue readValue(Stream& stream, const FieldSchema& field) {
  FieldValue value;
  switch (field.kind) {
    case FieldKind::String: {
      String text;
      readFrom(stream, text);
      value.text = text.c_str() == nullptr ? "" : text.c_str();
      break;
    }
    case FieldKind::ColorCurve:
    case FieldKind::SizeCurve:
      value.curve = readCurve(stream, field.kind);
      break;
    case FieldKind::Object:
      value.objects.push_back(readObject(stream, field.family));
      break;
    case FieldKind::ObjectList: {
      const int32_t count = readInt(stream);
      if (count > field.maxCount) {
        throw vtException(ErrorCode::NotEnoughMemory);
      }
      for (int32_t i = 0; i < count; ++i) {
        value.objects.push_back(readObject(stream, field.family));
      }
      break;
    }
    default:
      for (int w = 0; w < fieldWords(field); ++w) {
        value.words.push_back(readWord(stream));
      }
      // The particle limit: beyond it the engine refuses the memory.
      if (field.kind == FieldKind::UInt32 && value.words.front() > field.highest) {
        throw vtException(ErrorCode::NotEnoughMemory);
      }
      break;
  }
  return value;
}

void writeValue(Stream& stream, const FieldSchema& field, const FieldValue& value) {
  switch (field.kind) {
    case FieldKind::String:
      writeTo(stream, String(value.text.c_str()));
      break;
    case FieldKind::ColorCurve:
    case FieldKind::SizeCurve:
      writeCurve(stream, field.kind, value.curve);
      break;
    case FieldKind::Object:
      writeObject(stream, value.objects.at(0));
      break;
    case FieldKind::ObjectList:
      writeInt(stream, static_cast<int32_t>(value.objects.size()));
      for (const ObjectValue& object : value.objects) {
        writeObject(stream, object);
      }
      break;
    default:
      for (uint32_t word : value.words) {
        writeField(stream, word);
      }
      break;
  }
}

// No body carries its length, so a tag of another family or of no class cannot be skipped.
ObjectValue readObject(Stream& stream, Family family) {
  ObjectValue object;
  const Tag tag = readTag(stream);
  if (tag == 0) {
    return object;
  }
  object.schema = SceneSchema::byTag(tag);
  if (object.schema == nullptr || object.schema->family != family) {
    throw vtException(ErrorCode::IllegalParticleId);
  }
  for (const FieldSchema& field : object.schema->fields) {
    object.fields.push_back(readValue(stream, field));
  }
  return object;
}

void writeObject(Stream& stream, const ObjectValue& object) {
  if (object.schema == nullptr) {
    writeTag(stream, 0);
    return;
  }
  writeTag(stream, object.schema->tag);
  for (size_t i = 0; i < object.schema->fields.size(); ++i) {
    writeValue(stream, object.schema->fields[i], object.fields.at(i));
  }
}

}  // namespace

ObjectValue SceneBinary::read(Stream& stream) {
  if (readTag(stream) != kFileTag) {
    throw vtException(ErrorCode::PsfFileLoadFailed);
  }
  return readObject(stream, Family::System);
}

void SceneBinary::write(Stream& stream, const ObjectValue& root) {
  writeTag(stream, kFileTag);
  writeObject(stream, root);
}

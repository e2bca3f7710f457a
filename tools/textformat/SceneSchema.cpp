#include "tools/textformat/SceneSchema.h"

#include <memory>

#include "core/vtException.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "shapes/Bouncer.h"

namespace {

FieldSchema floatField(const char* name, float value) {
  FieldSchema field(name, FieldKind::Float);
  field.floatDefaults = {value};
  return field;
}

FieldSchema vec3Field(const char* name, float x, float y, float z) {
  FieldSchema field(name, FieldKind::Vec3);
  field.floatDefaults = {x, y, z};
  return field;
}

FieldSchema vec3ArrayField(const char* name, std::vector<float> values) {
  FieldSchema field(name, FieldKind::Vec3Array);
  field.count = static_cast<int>(values.size() / 3);
  field.floatDefaults = std::move(values);
  return field;
}

FieldSchema int32Field(const char* name, int32_t value, std::vector<NamedValue> names = {}) {
  FieldSchema field(name, FieldKind::Int32);
  field.integerDefault = value;
  field.names = std::move(names);
  return field;
}

FieldSchema uint32Field(const char* name, uint32_t value, uint32_t highest) {
  FieldSchema field(name, FieldKind::UInt32);
  field.integerDefault = value;
  field.highest = highest;
  return field;
}

FieldSchema requiredStringField(const char* name) {
  FieldSchema field(name, FieldKind::String);
  field.required = true;
  return field;
}

FieldSchema curveField(const char* name, FieldKind kind) { return FieldSchema(name, kind); }

FieldSchema objectField(const char* name, Family family) {
  FieldSchema field(name, FieldKind::Object);
  field.family = family;
  return field;
}

FieldSchema listField(const char* name, Family family, int32_t maxCount) {
  FieldSchema field(name, FieldKind::ObjectList);
  field.family = family;
  field.maxCount = maxCount;
  return field;
}

NamedValue emitterShape(const char* name, EmitterShape shape) { return {name, static_cast<int32_t>(shape)}; }

const std::vector<NamedValue> kEmitterShapes = {
    emitterShape("point", EmitterShape::Point),
    emitterShape("line", EmitterShape::Line),
    emitterShape("parallelogram", EmitterShape::Parallelogram),
    emitterShape("disc", EmitterShape::Disc),
    emitterShape("box", EmitterShape::Box),
    emitterShape("ring", EmitterShape::Ring),
};

// Integer fields of the flat classes that the text format also takes by name.
const std::vector<NamedValue> kBounceModes = {{"mirror", Mirror}, {"graze", Graze}};
const char* const kBounceModeField = "bounceMode";

// The bodies that are more than a field list, and what follows the emitter's field list.
std::vector<FieldSchema> systemFields() {
  return {uint32Field("maxParticles", 0, ParticleSystem::kMaxParticles), objectField("emitter", Family::Emitter),
          listField("shapes", Family::Shape, ParticleSystem::kMaxShapes),
          listField("modifiers", Family::Modifier, ParticleSystem::kMaxModifiers), objectField("image", Family::Image)};
}

std::vector<FieldSchema> emitterTail() {
  return {curveField("colorCurve", FieldKind::ColorCurve), curveField("sizeCurve", FieldKind::SizeCurve),
          int32Field("shape", static_cast<int32_t>(EmitterShape::Point), kEmitterShapes)};
}

std::vector<FieldSchema> imageFields() { return {requiredStringField("fileName")}; }

// The schema of a flat class's field list, its defaults read off a default-constructed object.
class FieldRecorder final : public FieldVisitor {
 public:
  void field(const char* name, float& value) override { fields.push_back(floatField(name, value)); }
  void field(const char* name, int32_t& value) override {
    const bool named = std::string(name) == kBounceModeField;
    fields.push_back(int32Field(name, value, named ? kBounceModes : std::vector<NamedValue>{}));
  }
  void field(const char* name, Vec3& value) override { fields.push_back(vec3Field(name, value.x, value.y, value.z)); }
  void field(const char* name, Vec3* values, int count) override {
    std::vector<float> floats;
    for (int i = 0; i < count; ++i) {
      floats.insert(floats.end(), {values[i].x, values[i].y, values[i].z});
    }
    fields.push_back(vec3ArrayField(name, std::move(floats)));
  }

  std::vector<FieldSchema> fields;
};

std::vector<FieldSchema> listedFields(const StoredClass& stored) {
  // Made and destroyed at once: the registry ends as it was.
  std::unique_ptr<PsfObject> object(stored.create());
  if (object == nullptr) {
    throw vtException(ErrorCode::NotEnoughMemory);
  }
  FieldRecorder recorder;
  object->visitFields(recorder);
  return recorder.fields;
}

std::vector<FieldSchema> fieldsOf(const StoredClass& stored) {
  switch (stored.family) {
    case Family::System:
      return systemFields();
    case Family::Image:
      return imageFields();
    case Family::Emitter: {
      std::vector<FieldSchema> fields = listedFields(stored);
      for (FieldSchema& field : emitterTail()) {
        fields.push_back(std::move(field));
      }
      return fields;
    }
    case Family::Shape:
    case Family::Modifier:
      break;
  }
  return listedFields(stored);
}

std::vector<ClassSchema> deriveSchemas() {
  std::vector<ClassSchema> schemas;
  for (const StoredClass& stored : ObjectFactory::instance().classes()) {
    schemas.push_back({stored.tag, stored.name, stored.family, fieldsOf(stored)});
  }
  return schemas;
}

}  // namespace

const std::vector<ClassSchema>& SceneSchema::classes() {
  static const std::vector<ClassSchema> kClassSchemas = deriveSchemas();
  return kClassSchemas;
}

const ClassSchema& SceneSchema::root() { return classes().front(); }

const ClassSchema* SceneSchema::byTag(Tag tag) {
  for (const ClassSchema& schema : classes()) {
    if (schema.tag == tag) {
      return &schema;
    }
  }
  return nullptr;
}

const ClassSchema* SceneSchema::byName(Family family, const std::string& name) {
  for (const ClassSchema& schema : classes()) {
    if (schema.family == family && name == schema.name) {
      return &schema;
    }
  }
  return nullptr;
}

const ClassSchema* SceneSchema::soleClass(Family family) {
  const ClassSchema* found = nullptr;
  for (const ClassSchema& schema : classes()) {
    if (schema.family == family) {
      if (found != nullptr) {
        return nullptr;
      }
      found = &schema;
    }
  }
  return found;
}

int SceneSchema::fixedSize(const FieldSchema& field) {
  switch (field.kind) {
    case FieldKind::Float:
    case FieldKind::Int32:
    case FieldKind::UInt32:
      return 4;
    case FieldKind::Vec3:
      return 12;
    case FieldKind::Vec3Array:
      return 12 * field.count;
    default:
      return 0;
  }
}

const char* SceneSchema::nameOf(const FieldSchema& field, int32_t value) {
  for (const NamedValue& named : field.names) {
    if (named.value == value) {
      return named.name;
    }
  }
  return nullptr;
}

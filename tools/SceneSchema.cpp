#include "tools/SceneSchema.h"

#include "scene/ParticleSystem.h"

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

const std::vector<NamedValue> kEmitterShapes = {
    {"point", 1}, {"line", 2}, {"parallelogram", 4}, {"disc", 8}, {"box", 22}, {"ring", 50},
};

const std::vector<NamedValue> kBounceModes = {{"mirror", 1}, {"graze", 2}};

// Defaults are the constructors'. The emitter's orbit radius and its deviation have none in the
// engine (every emitter is read before use); 0 is the text format's choice.
// clang-format off
const std::vector<ClassSchema> kClassSchemas = {
    {makeTag("PSYS"), "ParticleSystem", Family::System,
     {uint32Field("maxParticles", 0, ParticleSystem::kMaxParticles),
      objectField("emitter", Family::Emitter),
      listField("shapes", Family::Shape, ParticleSystem::kMaxShapes),
      listField("modifiers", Family::Modifier, ParticleSystem::kMaxModifiers),
      objectField("image", Family::Image)}},

    // `rate` sits between particleAux and spread in the file, though the record keeps it after life.
    {makeTag("EMIT"), "Emitter", Family::Emitter,
     {vec3Field("origin", 0.0f, 0.0f, 0.0f),
      vec3Field("axisA", 0.0f, 0.0f, 0.0f),
      vec3Field("axisB", 0.0f, 0.0f, 0.0f),
      vec3Field("velocity", 0.0f, 0.0f, 0.0f),
      vec3Field("particleAux", 0.0f, 0.0f, 0.0f),
      int32Field("rate", 0),
      floatField("spread", 0.0f),
      floatField("radius", 1.0f),
      floatField("orbitAngle", 1.0f),
      floatField("orbitAngleVar", 0.0f),
      floatField("speed", 0.0f),
      floatField("speedVar", 0.0f),
      floatField("orbitRadius", 0.0f),
      floatField("orbitRadiusVar", 0.0f),
      int32Field("life", 0),
      curveField("colorCurve", FieldKind::ColorCurve),
      curveField("sizeCurve", FieldKind::SizeCurve),
      int32Field("shape", 1, kEmitterShapes)}},

    {makeTag("BBOX"), "BoxBouncer", Family::Shape,
     {vec3Field("boxMin", 0.0f, 0.0f, 0.0f), vec3Field("boxMax", 1.0f, 1.0f, 1.0f), floatField("restitution", 0.25f)}},
    {makeTag("BRCT"), "RectangleBouncer", Family::Shape,
     {vec3ArrayField("corners", {-10.0f, 0.0f, -10.0f, 10.0f, 0.0f, -10.0f, 10.0f, 0.0f, 10.0f, -10.0f, 0.0f, 10.0f}),
      floatField("loss", 0.25f)}},
    // Reading a triangle sets its bounce mode to 2 whatever the file holds.
    {makeTag("BTRI"), "TriangleBouncer", Family::Shape,
     {vec3ArrayField("vertices", {-10.0f, 0.0f, 0.0f, 10.0f, 0.0f, 0.0f, 0.0f, 0.0f, 10.0f}),
      floatField("restitution", 0.75f), int32Field("bounceMode", 1, kBounceModes)}},
    {makeTag("BSPH"), "SphereBouncer", Family::Shape,
     {vec3Field("centre", 0.0f, 0.0f, 0.0f), floatField("radius", 3.0f), floatField("loss", 0.25f),
      int32Field("bounceMode", 2, kBounceModes)}},
    {makeTag("BCYL"), "CylinderBouncer", Family::Shape,
     {vec3Field("endA", 0.0f, 0.0f, 0.0f), vec3Field("endB", 1.0f, 1.0f, 1.0f), floatField("radius", 2.0f),
      floatField("restitution", 0.75f)}},

    {makeTag("MFRC"), "ForceModifier", Family::Modifier, {vec3Field("force", 0.0f, 0.0f, 0.0f)}},
    {makeTag("MDMP"), "DampModifier", Family::Modifier,
     {vec3Field("factor", 0.5f, 0.5f, 0.5f), floatField("minSpeed", 0.0f), floatField("maxSpeed", 100.0f)}},
    {makeTag("MBUB"), "BubbleModifier", Family::Modifier,
     {floatField("radius", 1.0f), floatField("angleStep", 0.0f), floatField("angleJitter", 0.0f)}},
    {makeTag("MEXP"), "ExplosionModifier", Family::Modifier,
     {vec3Field("centre", 0.0f, 0.0f, 0.0f), floatField("decay", 0.5f)}},
    {makeTag("MSPH"), "SphereModifier", Family::Modifier,
     {vec3Field("centre", 0.0f, 0.0f, 0.0f), floatField("falloff", 0.5f)}},
    {makeTag("MTUB"), "TubeModifier", Family::Modifier,
     {vec3Field("start", -10.0f, 0.0f, 0.0f), vec3Field("end", 10.0f, 0.0f, 0.0f), floatField("falloff", 0.5f)}},
    {makeTag("MFLW"), "FlowModifier", Family::Modifier,
     {vec3Field("centre", 0.0f, 0.0f, 0.0f), floatField("radius", 1.0f), floatField("inertia", 1.0f)}},
    {makeTag("MGRV"), "GravityModifier", Family::Modifier,
     {floatField("strength", 1.0f), floatField("radius", 1000.0f)}},
    {makeTag("MAVB"), "AvoidBoxModifier", Family::Modifier,
     {vec3Field("boxMin", 0.0f, 0.0f, 0.0f), vec3Field("boxMax", 1.0f, 1.0f, 1.0f), floatField("lookAhead", 100.0f)}},
    {makeTag("MAVD"), "AvoidQuadModifier", Family::Modifier,
     {vec3Field("cornerA", -10.0f, 0.0f, -10.0f), vec3Field("cornerB", 10.0f, 0.0f, -10.0f),
      vec3Field("cornerC", 10.0f, 0.0f, 10.0f), vec3Field("cornerD", -10.0f, 0.0f, 10.0f),
      floatField("lookAhead", 100.0f)}},
    {makeTag("MAVS"), "AvoidSphereModifier", Family::Modifier,
     {vec3Field("centre", 0.0f, 0.0f, 0.0f), floatField("radius", 1.0f), floatField("lookAheadFactor", 10.0f)}},

    {makeTag("IBMP"), "BmpImage", Family::Image, {requiredStringField("fileName")}},
    {makeTag("ITGA"), "TgaImage", Family::Image, {requiredStringField("fileName")}},
};
// clang-format on

}  // namespace

const std::vector<ClassSchema>& SceneSchema::classes() { return kClassSchemas; }

const ClassSchema& SceneSchema::root() { return kClassSchemas.front(); }

const ClassSchema* SceneSchema::byTag(Tag tag) {
  for (const ClassSchema& schema : kClassSchemas) {
    if (schema.tag == tag) {
      return &schema;
    }
  }
  return nullptr;
}

const ClassSchema* SceneSchema::byName(Family family, const std::string& name) {
  for (const ClassSchema& schema : kClassSchemas) {
    if (schema.family == family && name == schema.name) {
      return &schema;
    }
  }
  return nullptr;
}

const ClassSchema* SceneSchema::soleClass(Family family) {
  const ClassSchema* found = nullptr;
  for (const ClassSchema& schema : kClassSchemas) {
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

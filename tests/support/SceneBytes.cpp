#include "support/SceneBytes.h"

#include <vector>

#include "objfile/FieldIo.h"
#include "objfile/MemoryStream.h"
#include "objfile/Tag.h"
#include "particles/LifeCurve.h"
#include "scene/ParticleSystem.h"

std::vector<uint8_t> writtenChild(const PsfObject& object) {
  MemoryStream stream;
  PsfObject::writeChild(stream, &object);
  return stream.bytes();
}

std::vector<uint8_t> writtenScene(const PsfObject* root) {
  MemoryStream stream;
  writeTag(stream, kFileTag);
  PsfObject::writeChild(stream, root);
  return stream.bytes();
}

Bytes noCurves() { return Bytes().i32(1).i32(0).i32(1).i32(0); }

Bytes emitterChild(int32_t rate, int32_t life, const Bytes& curves) {
  Bytes bytes;
  bytes.tag("EMIT").vec({}).vec({}).vec({}).vec({}).vec({}).i32(rate);
  bytes.f32(0).f32(1).f32(1).f32(0).f32(0).f32(0).f32(0).f32(0).i32(life);
  return bytes.raw(curves.data()).i32(1);
}

Bytes systemBody(uint32_t limit, const Bytes& emitter) {
  SystemBody body;
  body.limit = limit;
  body.emitter = emitter;
  return body.bytes();
}

Bytes sceneFile(const Bytes& body) { return Bytes().tag("PSHD").tag("PSYS").raw(body.data()); }

Bytes SystemBody::bytes() const {
  return Bytes()
      .u32(limit)
      .raw(emitter.data())
      .i32(shapeCount)
      .raw(shapes.data())
      .i32(modifierCount)
      .raw(modifiers.data())
      .raw(image.data());
}

namespace {

// The fixed head's floats in stored order around the rate, then the life.
struct EmitterHead {
  Vec3 origin, axisA, axisB, velocity, particleAux;
  float spread, radius, orbitAngle, orbitAngleVar, speed, speedVar, orbitRadius, orbitRadiusVar;
};

Bytes emitter(const EmitterHead& h, int32_t shape, int32_t rate, int32_t life, float keyValue, bool filled) {
  Bytes bytes;
  bytes.tag("EMIT").vec(h.origin).vec(h.axisA).vec(h.axisB).vec(h.velocity).vec(h.particleAux).i32(rate);
  bytes.f32(h.spread).f32(h.radius).f32(h.orbitAngle).f32(h.orbitAngleVar).f32(h.speed).f32(h.speedVar);
  bytes.f32(h.orbitRadius).f32(h.orbitRadiusVar).i32(life);
  // Colour: warm white fading to a transparent blue; size: growing.
  const auto value = [&](float sound) { return filled ? keyValue : sound; };
  bytes.i32(100).i32(3);
  bytes.f32(value(1.0f)).f32(value(0.9f)).f32(value(0.7f)).f32(value(1.0f)).i32(0);
  bytes.f32(value(0.5f)).f32(value(0.6f)).f32(value(1.0f)).f32(value(0.6f)).i32(50);
  bytes.f32(value(0.1f)).f32(value(0.2f)).f32(value(0.8f)).f32(value(0.0f)).i32(100);
  bytes.i32(64).i32(2).f32(value(0.1f)).i32(0).f32(value(0.4f)).i32(100);
  return bytes.i32(shape);
}

// The shapes' stored floats, in stored order; the sphere and the triangle add a bounce mode.
const float kBox[] = {-4, -1, -4, 4, 0, 4, 0.8f};
const float kRectangle[] = {-6, 8, -6, 6, 8, -6, 6, 8, 6, -6, 8, 6, 0.3f};
const float kTriangle[] = {-3, 2, -3, 3, 2, -3, 0, 2, 3, 0.7f};
const float kSphere[] = {2, 3, 0, 1.5f, 0.2f};
const float kCylinder[] = {-3, 1, 2, 3, 1, 2, 0.8f, 0.9f};

// mode 0: none stored.
template <size_t N>
Bytes shape(const char (&tag)[5], const float (&floats)[N], int32_t mode, const float* filled) {
  Bytes bytes;
  bytes.tag(tag);
  for (float value : floats) {
    bytes.f32(filled != nullptr ? *filled : value);
  }
  if (mode != 0) {
    bytes.i32(mode);
  }
  return bytes;
}

// The triangle is stored grazing (2), which is what reading makes of any mode, so that the
// shapes write back as they were read.
Bytes shapes(const float* filled) {
  return Bytes()
      .raw(shape("BBOX", kBox, 0, filled).data())
      .raw(shape("BRCT", kRectangle, 0, filled).data())
      .raw(shape("BTRI", kTriangle, 2, filled).data())
      .raw(shape("BSPH", kSphere, 1, filled).data())
      .raw(shape("BCYL", kCylinder, 0, filled).data());
}

// The modifiers' stored floats, in stored order (every modifier field is a float or a Vec3).
struct ModifierFloats {
  Tag tag;
  std::vector<float> floats;
};
const ModifierFloats kModifiers[] = {
    {makeTag("MFRC"), {0, -0.002f, 0}},  // force
    {makeTag("MDMP"), {0.995f, 0.995f, 0.995f, 0.01f, 0.6f}},  // factor, speed band
    {makeTag("MBUB"), {0.2f, 0.1f, 0.05f}},  // radius, angle step, jitter
    {makeTag("MEXP"), {0, 1, 0, 0.02f}},  // centre, decay
    {makeTag("MSPH"), {0, 3, 0, 0.0005f}},  // centre, falloff
    {makeTag("MTUB"), {-2, 1, 0, 2, 1, 0, 0.0005f}},  // start, end, falloff
    {makeTag("MFLW"), {0, 2, 0, 5, 0.95f}},  // centre, radius, inertia
    {makeTag("MGRV"), {0.0001f, 0.5f}},  // strength, radius
    {makeTag("MAVB"), {-1, 4, -1, 1, 5, 1, 20}},  // box, look-ahead
    {makeTag("MAVD"), {-2, 6, -2, 2, 6, -2, 2, 6, 2, -2, 6, 2, 20}},  // corners, look-ahead
    {makeTag("MAVS"), {0, 7, 0, 1, 5}},  // centre, radius, look-ahead
};

Bytes modifiers(const float* filled) {
  Bytes bytes;
  for (const ModifierFloats& modifier : kModifiers) {
    bytes.u32(modifier.tag);
    for (float value : modifier.floats) {
      bytes.f32(filled != nullptr ? *filled : value);
    }
  }
  return bytes;
}

}  // namespace

Bytes everyModifier() { return modifiers(nullptr); }

Bytes everyModifierFilledWith(float value) { return modifiers(&value); }

Bytes fountainEmitter(int32_t shape, int32_t rate, int32_t life) {
  EmitterHead head{};
  head.origin = {0, 0.5f, 0};
  head.axisA = {1, 0, 0.2f};
  head.axisB = {0, 0, 1};
  head.velocity = {0, 0.12f, 0};
  head.particleAux = {0.1f, 0.2f, 0.3f};
  head.spread = 0.6f;
  head.radius = 1.5f;
  head.orbitAngle = 1.0f;
  head.orbitAngleVar = 0.5f;
  head.speed = 0.05f;
  head.speedVar = 0.02f;
  head.orbitRadius = 0.3f;
  head.orbitRadiusVar = 0.1f;
  return emitter(head, shape, rate, life, 0.0f, false);
}

Bytes emitterFilledWith(float value, int32_t shape, int32_t rate, int32_t life) {
  const Vec3 v(value, value, value);
  const EmitterHead head{v, v, v, v, v, value, value, value, value, value, value, value, value};
  return emitter(head, shape, rate, life, value, true);
}

Bytes everyShape() { return shapes(nullptr); }

Bytes everyShapeFilledWith(float value) { return shapes(&value); }

Bytes imageChild(const char (&tag)[5], const char* fileName) { return Bytes().tag(tag).str(fileName); }

SystemBody systemAtTheLimits() {
  const int32_t keys = LifeCurve<float>::kMaxKeys;
  Bytes emitter;
  emitter.tag("EMIT").vec({0, 1, 0}).vec({1, 0, 0}).vec({0, 0, 1}).vec({0, 0.1f, 0}).vec({}).i32(65535);
  emitter.f32(0.5f).f32(2).f32(1).f32(0.5f).f32(0.1f).f32(0.05f).f32(0.2f).f32(0.1f).i32(2147483647);
  emitter.i32(LifeCurve<float>::kMaxResolution).i32(keys);
  for (int32_t i = 0; i < keys; ++i) {
    const float v = static_cast<float>(i % 97) / 97.0f;
    emitter.f32(v).f32(1.0f - v).f32(v * 0.5f).f32(1.0f).i32(100 - i * 101 / keys);
  }
  emitter.i32(LifeCurve<float>::kMaxResolution).i32(keys);
  for (int32_t i = 0; i < keys; ++i) {
    emitter.f32(static_cast<float>(i)).i32(100 - i * 101 / keys);
  }
  emitter.i32(8);

  SystemBody body;
  body.limit = ParticleSystem::kMaxParticles;
  body.emitter = emitter;
  const int32_t copies = ParticleSystem::kMaxShapes / kShapeClassCount;
  for (int32_t i = 0; i < copies; ++i) {
    body.shapes.raw(everyShape().data());
  }
  for (body.shapeCount = copies * kShapeClassCount; body.shapeCount < ParticleSystem::kMaxShapes; ++body.shapeCount) {
    body.shapes.tag("BSPH").vec({0, 0, 0}).f32(1).f32(0).i32(2);
  }
  for (int32_t i = 0; i < ParticleSystem::kMaxModifiers / kModifierClassCount; ++i) {
    body.modifiers.raw(everyModifier().data());
  }
  body.modifierCount = ParticleSystem::kMaxModifiers / kModifierClassCount * kModifierClassCount;
  for (; body.modifierCount < ParticleSystem::kMaxModifiers; ++body.modifierCount) {
    body.modifiers.tag("MDMP").vec({1, 1, 1}).f32(0).f32(1);
  }
  return body;
}

#pragma once
// Scene bodies for tests of the particle system, the tools and the fuzz targets: emitters, shapes
// and particle systems around them, byte by byte.

#include <cstdint>
#include <vector>

#include "objfile/PsfObject.h"
#include "support/Bytes.h"

// What the engine writes: a contained object (its tag and body), and a scene file around a root.
std::vector<uint8_t> writtenChild(const PsfObject& object);
std::vector<uint8_t> writtenScene(const PsfObject* root);

// Two curves of resolution 1 without keys: white, half-size 0.5.
Bytes noCurves();
// An EMIT child: Point shape at the origin, no spread, no orbit radius, orbit angle 1, radius 1.
Bytes emitterChild(int32_t rate, int32_t life, const Bytes& curves = noCurves());
// A PSYS body: the limit, the emitter (or Bytes().u32(0)), no shapes, no modifiers, no image.
Bytes systemBody(uint32_t limit, const Bytes& emitter);
// A whole scene file around a PSYS body.
Bytes sceneFile(const Bytes& body);

// A PSYS body with everything a scene can hold.
struct SystemBody {
  uint32_t limit = 0;
  // An EMIT child, or the tag 0.
  Bytes emitter = Bytes().u32(0);
  // The list counts as stored, and their children.
  int32_t shapeCount = 0;
  Bytes shapes;
  int32_t modifierCount = 0;
  Bytes modifiers;
  // An IBMP or ITGA child, or the tag 0.
  Bytes image = Bytes().u32(0);

  Bytes bytes() const;
};

// An EMIT child of the given shape making a fountain around the origin: upward velocity with
// spread and speed, an orbit, colour keys at 0, 50 and 100 percent and size keys at 0 and 100.
Bytes fountainEmitter(int32_t shape, int32_t rate, int32_t life);
// An EMIT child whose every stored float (the head and the keys' values) is value; the rate, the
// life, the curves' resolutions and percentages and the shape are kept as given.
Bytes emitterFilledWith(float value, int32_t shape, int32_t rate, int32_t life);

// The five shape children (box, rectangle, triangle, sphere, cylinder) placed around a fountain
// at the origin; they write back byte for byte as they are read.
Bytes everyShape();
// The five shape children with every stored float value; the sphere keeps bounce mode 1 and the
// triangle 2 (a mode other than 1 or 2 would switch their collision off).
Bytes everyShapeFilledWith(float value);
constexpr int32_t kShapeClassCount = 5;

// The eleven modifier children (force, damp, bubble, explosion, sphere, tube, flow, gravity and
// the three avoiders) with values for a fountain at the origin.
Bytes everyModifier();
// The eleven modifier children with every stored float value.
Bytes everyModifierFilledWith(float value);
constexpr int32_t kModifierClassCount = 11;

// An image child naming the file.
Bytes imageChild(const char (&tag)[5], const char* fileName);

// A particle system at every limit a file may reach: 1,000,000 particles, 256 shapes, 256
// modifiers, an emitter
// whose two curves have the finest resolution and the most keys (in descending percent, as a
// built curve writes them, several keys at each percent). No image.
SystemBody systemAtTheLimits();

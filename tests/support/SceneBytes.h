#pragma once
// Scene bodies for tests of the particle system and the tools: an emitter at rest at the origin
// and a particle system around it.

#include <cstdint>

#include "support/Bytes.h"

// Two curves of resolution 1 without keys: white, half-size 0.5.
Bytes noCurves();
// An EMIT child: Point shape at the origin, no spread, no orbit radius, orbit angle 1, radius 1.
Bytes emitterChild(int32_t rate, int32_t life, const Bytes& curves = noCurves());
// A PSYS body: the limit, the emitter (or Bytes().u32(0)), no shapes, no modifiers, no image.
Bytes systemBody(uint32_t limit, const Bytes& emitter);
// A whole scene file around a PSYS body.
Bytes sceneFile(const Bytes& body);

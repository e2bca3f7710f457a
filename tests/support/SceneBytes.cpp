#include "support/SceneBytes.h"

Bytes noCurves() { return Bytes().i32(1).i32(0).i32(1).i32(0); }

Bytes emitterChild(int32_t rate, int32_t life, const Bytes& curves) {
  Bytes bytes;
  bytes.tag("EMIT").vec({}).vec({}).vec({}).vec({}).vec({}).i32(rate);
  bytes.f32(0).f32(1).f32(1).f32(0).f32(0).f32(0).f32(0).f32(0).i32(life);
  return bytes.raw(curves.data()).i32(1);
}

Bytes systemBody(uint32_t limit, const Bytes& emitter) {
  return Bytes().u32(limit).raw(emitter.data()).i32(0).i32(0).u32(0);
}

Bytes sceneFile(const Bytes& body) { return Bytes().tag("PSHD").tag("PSYS").raw(body.data()); }

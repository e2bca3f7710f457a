#include "shapes/TriangleBouncer.h"

#include "core/OpenGl.h"

TriangleBouncer::TriangleBouncer() { patch_.derive(vertices_); }

Tag TriangleBouncer::tag() const { return makeTag("BTRI"); }

void TriangleBouncer::read(Stream& stream) {
  Bouncer::read(stream);
  readFields(stream, vertices_, restitution_, bounceMode_);
  patch_.derive(vertices_);
  // Whatever the file holds, a triangle that was read grazes; the mode is still stored, and a
  // write gives back the 2.
  bounceMode_ = Graze;
}

void TriangleBouncer::write(Stream& stream) const {
  Bouncer::write(stream);
  writeFields(stream, vertices_, restitution_, bounceMode_);
}

void TriangleBouncer::collide(ParticleList& particles) {
  float k;
  if (reflectionFactor(bounceMode_, k)) {
    bounceOffPatch(particles, patch_, k, restitution_);
  }
}

void TriangleBouncer::draw() { drawPrimitive(GL_TRIANGLES, vertices_, 3); }

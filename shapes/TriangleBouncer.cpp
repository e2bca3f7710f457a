#include "shapes/TriangleBouncer.h"

#include "core/OpenGl.h"

TriangleBouncer::TriangleBouncer() { derive(); }

Tag TriangleBouncer::tag() const { return kTag; }

void TriangleBouncer::read(Stream& stream) {
  Bouncer::read(stream);
  // Whatever the file holds, a triangle that was read grazes; the mode is still stored, and a
  // write gives back the 2.
  bounceMode = Graze;
}

void TriangleBouncer::visitFields(FieldVisitor& visitor) {
  visitor.field("vertices", vertices);
  visitor.field("restitution", restitution);
  visitor.field("bounceMode", bounceMode);
}

void TriangleBouncer::derive() { patch.derive(vertices); }

void TriangleBouncer::collide(ParticleList& particles) {
  float k;
  if (reflectionFactor(bounceMode, k)) {
    bounceOffPatch(particles, patch, k, restitution);
  }
}

void TriangleBouncer::draw() { drawPrimitive(GL_TRIANGLES, vertices, 3); }

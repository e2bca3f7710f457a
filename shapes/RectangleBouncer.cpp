#include "shapes/RectangleBouncer.h"

#include "core/OpenGl.h"

RectangleBouncer::RectangleBouncer() { derive(); }

Tag RectangleBouncer::tag() const { return kTag; }

void RectangleBouncer::visitFields(FieldVisitor& visitor) {
  visitor.field("corners", corners);
  visitor.field("loss", loss);
}

void RectangleBouncer::derive() {
  patch.derive(corners);
  restitution = 1.0f - loss;
}

void RectangleBouncer::collide(ParticleList& particles) { bounceOffPatch(particles, patch, 2.0f, restitution); }

void RectangleBouncer::draw() { drawPrimitive(GL_QUADS, corners, 4); }

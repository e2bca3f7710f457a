#include "shapes/RectangleBouncer.h"

#include "core/OpenGl.h"

RectangleBouncer::RectangleBouncer() { patch_.derive(corners_); }

Tag RectangleBouncer::tag() const { return makeTag("BRCT"); }

void RectangleBouncer::read(Stream& stream) {
  Bouncer::read(stream);
  readFields(stream, corners_, loss_);
  patch_.derive(corners_);
  restitution_ = 1.0f - loss_;
}

void RectangleBouncer::write(Stream& stream) const {
  Bouncer::write(stream);
  writeFields(stream, corners_, loss_);
}

void RectangleBouncer::collide(ParticleList& particles) { bounceOffPatch(particles, patch_, 2.0f, restitution_); }

void RectangleBouncer::draw() { drawPrimitive(GL_QUADS, corners_, 4); }

#include "modifiers/AvoidQuadModifier.h"

AvoidQuadModifier::AvoidQuadModifier() { derive(); }

Tag AvoidQuadModifier::tag() const { return kTag; }

void AvoidQuadModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("cornerA", cornerA);
  visitor.field("cornerB", cornerB);
  visitor.field("cornerC", cornerC);
  visitor.field("cornerD", cornerD);
  visitor.field("lookAhead", lookAhead);
}

void AvoidQuadModifier::derive() { patch.derive({cornerA, cornerB, cornerC, cornerD}); }

void AvoidQuadModifier::apply(ParticleList& particles) {
  const Vec3& faceNormal = patch.face.normal;
  for (Particle* particle : particles) {
    const Heading heading = headingOf(particle->velocity);
    const Vec3 p = particle->orbitPosition();
    const float t = -(Vec3::dot(faceNormal, p) + patch.face.offset) / Vec3::dot(faceNormal, heading.dir);
    if (t > lookAhead || !patch.insideEdges(p + heading.dir * t)) {
      continue;
    }
    const Vec3 w1 = Vec3::cross(heading.dir, faceNormal);
    const Vec3 w2 = Vec3::cross(heading.dir, w1);
    particle->setVelocity(bend(heading, w2, 1.0f / (t * t)));
  }
}

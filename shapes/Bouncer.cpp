#include "shapes/Bouncer.h"

#include "core/OpenGl.h"

Tag Bouncer::tag() const { return kTag; }

Vec3 Bouncer::reflect(const Vec3& w, const Vec3& normal, float k, float factor) {
  return (w - normal * (k * Vec3::dot(w, normal))) * factor;
}

bool Bouncer::reflectionFactor(int32_t mode, float& k) {
  switch (mode) {
    case Mirror:
      k = 2.0f;
      return true;
    case Graze:
      k = 1.1f;
      return true;
    default:
      return false;
  }
}

template <int Corners>
void Bouncer::bounceOffPatch(ParticleList& particles, const ConvexPatch<Corners>& patch, float k, float factor) {
  for (Particle* particle : particles) {
    const Vec3 p = particle->orbitPosition();
    const Vec3 n = p + particle->velocity * particle->stepScale;
    if (patch.face.isPositive(p) == patch.face.isPositive(n)) {
      continue;
    }
    // Inside is judged at the predicted position, not where the path meets the face.
    if (!patch.insideEdges(n)) {
      continue;
    }
    particle->setVelocity(reflect(n - p, patch.face.normal, k, factor));
  }
}

template void Bouncer::bounceOffPatch<3>(ParticleList&, const ConvexPatch<3>&, float, float);
template void Bouncer::bounceOffPatch<4>(ParticleList&, const ConvexPatch<4>&, float, float);

void Bouncer::beginDrawing() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void Bouncer::endDrawing() {
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
}

void Bouncer::drawPrimitive(unsigned int primitive, const Vec3* vertices, int count) {
  beginDrawing();
  glColor3f(kDrawColor[0], kDrawColor[1], kDrawColor[2]);
  glBegin(primitive);
  for (int i = 0; i < count; ++i) {
    glVertex3f(vertices[i].x, vertices[i].y, vertices[i].z);
  }
  glEnd();
  endDrawing();
}

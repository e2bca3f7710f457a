#pragma once
// A deflector shape: tests every particle against its surface for the coming step and, on a hit,
// replaces the velocity with a reflected and damped one. Shapes keep nothing between steps.

#include <cstdint>

#include "core/ConvexPatch.h"
#include "objfile/PsfObject.h"
#include "particles/Particle.h"

enum BounceMode : int32_t {
  Mirror = 1,  // the normal component is reversed
  Graze = 2,   // the normal component is multiplied by -0.1
};

class Bouncer : public PsfObject {
 public:
  static constexpr Tag kTag = makeTag("BNCE");

  Tag tag() const override;
  // Visits every particle; never changes the list.
  virtual void collide(ParticleList& particles) = 0;
  // The inspection view; the particle system never calls it. Texturing and blending are switched
  // off while the shape is drawn and are left switched on afterwards.
  virtual void draw() = 0;

  // The rule every shape shares: (w - k (w . n) n) * factor, n a unit normal of either sign.
  static Vec3 reflect(const Vec3& w, const Vec3& normal, float k, float factor);
  // k for a stored bounce mode; false for a mode that changes nothing.
  static bool reflectionFactor(int32_t mode, float& k);

  // Every shape is drawn in this colour.
  static constexpr float kDrawColor[3] = {0.45f, 0.65f, 0.45f};

 protected:
  // The patches' test: a particle whose drawn position and predicted position lie on different
  // sides of the face (a point on the face counts as the negative side), with the predicted
  // position strictly inside every edge plane, gets (n - p) reflected off the face.
  template <int Corners>
  static void bounceOffPatch(ParticleList& particles, const ConvexPatch<Corners>& patch, float k, float factor);

  // Switches off the sprites' texturing and blending for an inspection drawing, and back on.
  static void beginDrawing();
  static void endDrawing();
  // One immediate-mode batch of vertices in kDrawColor, between beginDrawing and endDrawing.
  static void drawPrimitive(unsigned int primitive, const Vec3* vertices, int count);
};

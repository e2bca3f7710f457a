#pragma once
// A sphere that redirects every particle whose predicted position lies inside it, coming in or
// already inside; there is no crossing test.

#include "shapes/Bouncer.h"

class SphereBouncer : public Bouncer {
 public:
  static constexpr Tag kTag = makeTag("BSPH");

  // Stored.
  Vec3 centre{0.0f, 0.0f, 0.0f};
  float radius = 3.0f;
  // The share of the reflected velocity lost. Stored.
  float loss = 0.25f;
  // A BounceMode value, or any other value, which bounces nothing. Stored.
  int32_t bounceMode = Graze;
  float radiusSq = 9.0f;
  // 1 - loss.
  float restitution = 0.75f;

  ~SphereBouncer() override = default;

  Tag tag() const override;
  void visitFields(FieldVisitor& visitor) override;
  // Reflects (predicted - drawn position) off the direction from the predicted position to the
  // centre, by the bounce mode; a mode other than 1 or 2 changes nothing.
  void collide(ParticleList& particles) override;
  // Draws nothing: the sphere has no inspection view.
  void draw() override;
  void derive() override;
};

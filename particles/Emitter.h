#pragma once
// The scene object that creates particles: an emission shape with its geometry, the ranges each
// new particle's orbit, velocity and life are drawn from, the particles wanted per update, and
// the colour and size curves its particles share.

#include <cstdint>
#include <memory>

#include "core/Vec3.h"
#include "objfile/PsfObject.h"
#include "particles/ColorCurve.h"
#include "particles/Particle.h"
#include "particles/SizeCurve.h"

// The stored values of `Emitter::shape`; any other value is kept as read and emits at `origin`.
enum class EmitterShape : int32_t {
  Point = 1,
  Line = 2,
  Parallelogram = 4,
  Disc = 8,
  Box = 22,
  Ring = 50,
};

class Emitter : public PsfObject {
 public:
  static constexpr Tag kTag = makeTag("EMIT");

  Emitter();
  ~Emitter() override;

  Tag tag() const override;
  // The fixed head (visitFields), the colour curve, the size curve and the shape. Curves are
  // bounded: resolution 1..LifeCurve::kMaxResolution, at most LifeCurve::kMaxKeys keys, no
  // negative percent.
  void read(Stream& stream) override;
  // Keys in their current order, descending percent after a read. An emitter that was never read
  // writes each curve as resolution 1 without keys, which reads back to the same white, 0.5 look.
  void write(Stream& stream) const override;
  // The fixed head, in file order (rate between particleAux and spread).
  void visitFields(FieldVisitor& visitor) override;

  // Makes a new particle in a record that holds a new particle's initial values. Draws 5 random
  // values after the shape's own (Line 1, Parallelogram 2, Disc 2, Ring 1, Box 3); Disc and Ring
  // normalise axisA and axisB in place.
  void createParticle(Particle& particle);
  // The same in a record of its own, owned by the caller.
  std::unique_ptr<Particle> createParticle();

  // Null until read; particles share them by pointer, so the emitter must outlive its particles.
  const ColorCurve* colorCurve() const { return colorCurve_.get(); }
  const SizeCurve* sizeCurve() const { return sizeCurve_.get(); }

  // Point position; one end of a line; centre of parallelogram, disc and ring; a box corner.
  Vec3 origin;
  // Other end of a line; opposite box corner; first half-axis or in-plane axis.
  Vec3 axisA;
  // Second half-axis or in-plane axis.
  Vec3 axisB;
  // Added to every new particle's velocity, units per step.
  Vec3 velocity;
  // Copied into every new particle's aux.
  Vec3 particleAux;
  // Factor on the random part of the initial velocity.
  float spread = 0.0f;
  // Of disc and ring.
  float radius = 1.0f;
  // Radians.
  float orbitAngle = 1.0f;
  float orbitAngleVar = 0.0f;
  // Of the random horizontal part of the initial velocity.
  float speed = 0.0f;
  float speedVar = 0.0f;
  float orbitRadius = 0.0f;
  float orbitRadiusVar = 0.0f;
  // Of every new particle, in steps.
  int32_t life = 0;
  // Particles wanted per update; the particle system uses the low 16 bits.
  int32_t rate = 0;
  // An EmitterShape value, or any other value as read.
  int32_t shape = static_cast<int32_t>(EmitterShape::Point);

 private:
  Vec3 startPosition();

  std::unique_ptr<ColorCurve> colorCurve_;
  std::unique_ptr<SizeCurve> sizeCurve_;
};

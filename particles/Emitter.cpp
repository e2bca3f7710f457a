#include "particles/Emitter.h"

#include "core/FloatMath.h"
#include "core/Random.h"
#include "core/vtException.h"
#include "objfile/FieldIo.h"

namespace {

// A stored curve: resolution, key count, then each key's value and percent, within the curve's
// documented limits.
template <class Curve>
std::unique_ptr<Curve> readCurve(Stream& stream) {
  int32_t resolution = 0;
  readField(stream, resolution);
  Curve::checkStoredResolution(resolution);
  auto curve = std::make_unique<Curve>(resolution);
  int32_t count = 0;
  readField(stream, count);
  Curve::checkStoredKeyCount(count);
  for (int32_t i = 0; i < count; ++i) {
    typename Curve::Key key{};
    readField(stream, key.value);
    readField(stream, key.percent);
    Curve::checkStoredPercent(key.percent);
    curve->addKey(key.value, key.percent);
  }
  curve->build();
  return curve;
}

// Only an emitter that was never read lacks a curve; it is written as the smallest curve that
// reads back (resolution 1, no keys), which draws exactly as the missing curve does: white, or
// half-size 0.5.
template <class Curve>
void writeCurve(Stream& stream, const Curve* curve) {
  if (curve == nullptr) {
    writeField(stream, int32_t{1});
    writeField(stream, int32_t{0});
    return;
  }
  writeField(stream, curve->resolution());
  writeField(stream, static_cast<int32_t>(curve->keys().size()));
  for (const typename Curve::Key& key : curve->keys()) {
    writeField(stream, key.value);
    writeField(stream, key.percent);
  }
}

// base + S() * var, in the order the scenes were tuned with: the raw difference times var first,
// then the exact 1/16384. Scaling var after the division would differ where (16384 - r) * var
// overflows or loses bits.
float varied(float base, float var) {
  const float signedRaw = static_cast<float>(16384 - Random::randRaw());
  return signedRaw * var * (1.0f / 16384.0f) + base;
}

void normalizeInPlace(Vec3& axis) { Vec3::divideInPlace(axis, floatSqrt(Vec3::lengthSquared(axis))); }

}  // namespace

Emitter::Emitter() = default;

Emitter::~Emitter() = default;

Tag Emitter::tag() const { return kTag; }

// The 100-byte head: rate sits between particleAux and spread in the file.
void Emitter::visitFields(FieldVisitor& visitor) {
  visitor.field("origin", origin);
  visitor.field("axisA", axisA);
  visitor.field("axisB", axisB);
  visitor.field("velocity", velocity);
  visitor.field("particleAux", particleAux);
  visitor.field("rate", rate);
  visitor.field("spread", spread);
  visitor.field("radius", radius);
  visitor.field("orbitAngle", orbitAngle);
  visitor.field("orbitAngleVar", orbitAngleVar);
  visitor.field("speed", speed);
  visitor.field("speedVar", speedVar);
  visitor.field("orbitRadius", orbitRadius);
  visitor.field("orbitRadiusVar", orbitRadiusVar);
  visitor.field("life", life);
}

void Emitter::read(Stream& stream) {
  PsfObject::read(stream);
  colorCurve_ = readCurve<ColorCurve>(stream);
  sizeCurve_ = readCurve<SizeCurve>(stream);
  readField(stream, shape);
}

void Emitter::write(Stream& stream) const {
  PsfObject::write(stream);
  writeCurve(stream, colorCurve_.get());
  writeCurve(stream, sizeCurve_.get());
  writeField(stream, shape);
}

void Emitter::createParticle(Particle& particle) {
  particle.setPosition(startPosition());
  particle.aux = particleAux;
  particle.orbitAngle = varied(orbitAngle, orbitAngleVar);
  particle.orbitRadius = varied(orbitRadius, orbitRadiusVar);
  const float s = varied(speed, speedVar);
  const float phi = Random::randHalfAngle();
  const float lift = Random::randLift();
  // A horizontal part of length |s| in a random direction plus a small lift that never points
  // down; spread scales both.
  particle.setVelocity(velocity + Vec3(s * floatSin(phi), lift, s * floatCos(phi)) * spread);
  particle.stepScale = 1.0f;
  particle.lifeLeft = life;
  particle.lifeTotal = life;
  particle.colorCurve = colorCurve_.get();
  particle.sizeCurve = sizeCurve_.get();
}

std::unique_ptr<Particle> Emitter::createParticle() {
  auto particle = std::make_unique<Particle>();
  createParticle(*particle);
  return particle;
}

// Each draw is its own statement: the order of draws is part of what a seed reproduces.
Vec3 Emitter::startPosition() {
  switch (static_cast<EmitterShape>(shape)) {
    case EmitterShape::Point:
      return origin;
    case EmitterShape::Line: {
      const float t = Random::randUnit();
      return origin + (axisA - origin) * t;
    }
    case EmitterShape::Parallelogram: {
      // The first draw weights axisB.
      const float a = Random::randSigned();
      const float b = Random::randSigned();
      return origin + axisA * b + axisB * a;
    }
    case EmitterShape::Disc: {
      // Renormalised on every particle although the axes are unit length after the first; they
      // are not made perpendicular, so skewed axes give an ellipse. The signed radius makes
      // points uniform in distance from the centre, not in area.
      normalizeInPlace(axisA);
      normalizeInPlace(axisB);
      const float angle = Random::randFullAngle();
      const float rho = Random::randSigned() * radius;
      return origin + axisA * (rho * floatCos(angle)) + axisB * (rho * floatSin(angle));
    }
    case EmitterShape::Ring: {
      normalizeInPlace(axisA);
      normalizeInPlace(axisB);
      const float angle = Random::randFullAngle();
      return origin + axisA * (radius * floatCos(angle)) + axisB * (radius * floatSin(angle));
    }
    case EmitterShape::Box: {
      // z takes the first draw.
      const float z = Random::randUnit();
      const float y = Random::randUnit();
      const float x = Random::randUnit();
      return {origin.x + x * (axisA.x - origin.x), origin.y + y * (axisA.y - origin.y),
              origin.z + z * (axisA.z - origin.z)};
    }
  }
  // A shape value this system does not know: the particle starts at the origin.
  return origin;
}

#pragma once
// A stored object that changes particle motion once per step. Each step the particle system calls
// advance on every modifier in list order, then apply on each one whose isActive is true.

#include "core/Vec3.h"
#include "objfile/PsfObject.h"
#include "particles/Particle.h"

class Modifier : public PsfObject {
 public:
  // The most stored fields (floats or Vec3s) of any modifier: the patch avoider's four corners
  // and its look-ahead.
  static constexpr int kMaxStoredFields = 5;

  Tag tag() const override;
  // The stored fields the concrete class listed, in file order, one 4-byte field each; read then
  // recomputes the derived fields. No length, version or padding.
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // Changes velocities (and, for the bubble, orbits) only; never adds or removes particles.
  virtual void apply(ParticleList& particles) = 0;
  // Once per step before any modifier is applied, whether active or not.
  virtual void advance();
  virtual bool isActive() const;
  // Recomputes the derived fields (squares, axes, planes) from the stored ones. Call it after
  // changing a stored field by hand; read calls it after the last field.
  virtual void derive();

 protected:
  // One stored field: a float, or a Vec3 stored as x, y, z.
  class StoredField {
   public:
    StoredField() = default;
    explicit StoredField(float& value) : scalar_(&value) {}
    explicit StoredField(Vec3& value) : vector_(&value) {}
    void read(Stream& stream) const;
    void write(Stream& stream) const;

   private:
    float* scalar_ = nullptr;
    Vec3* vector_ = nullptr;
  };

  // Each concrete constructor names its stored fields once, in file order; read and write both
  // follow this list, so they cannot drift apart. The fields must live as long as the modifier.
  template <class... Fields>
  void storeFields(Fields&... fields) {
    static_assert(sizeof...(Fields) <= kMaxStoredFields, "raise kMaxStoredFields");
    fieldCount_ = 0;
    ((fields_[fieldCount_++] = StoredField(fields)), ...);
  }

  // The common terms: speed = |velocity| and dir = velocity / speed, with no guard against zero
  // speed (a resting particle gets a NaN direction).
  struct Heading {
    float speed;
    Vec3 dir;
  };
  static Heading headingOf(const Vec3& velocity);

  // The avoiders' step: the direction turned by side * weight, scaled back to the particle's
  // speed, so that avoiding an obstacle never speeds a particle up or slows it down.
  static Vec3 bend(const Heading& heading, const Vec3& side, float weight);

 private:
  // A fixed array: constructing a modifier allocates nothing beyond the object itself.
  StoredField fields_[kMaxStoredFields];
  int fieldCount_ = 0;
};

#pragma once
// The root object of every scene: one emitter, the deflector shapes, the modifiers and the image
// whose texture the particles are drawn with, and the live particles it owns. Each frame calls
// update (emission, modifiers, shapes), then draw, which is where particles age and move.

#include <cstdint>

#include "core/Color4.h"
#include "core/PtrList.h"
#include "core/Vec3.h"
#include "objfile/PsfObject.h"
#include "particles/Particle.h"
#include "particles/ParticlePool.h"

class Bouncer;
class Emitter;
class Image;
class Modifier;

class ParticleSystem : public PsfObject {
 public:
  static constexpr Tag kTag = makeTag("PSYS");

  // Limits a scene file may ask for; beyond them read refuses with "Not Enough Memory". A live
  // particle costs about 97 bytes of heap on 64-bit builds (its 88-byte record in a block of the
  // pool, its pointer in the list, whose array grows by doubling: measured by
  // bench/ParticleSystemBench and bench/StepLimitBench), so the particle limit keeps a scene's
  // particles near 97 MB. The shape and modifier limits are far beyond any scene; they refuse a
  // corrupt count at once.
  static constexpr uint32_t kMaxParticles = 1000000;
  static constexpr int32_t kMaxShapes = 256;
  static constexpr int32_t kMaxModifiers = 256;

  // Degrees the particles' texture is turned; every draw of any particle system adds one, and a
  // whole turn is taken off again: a float that only grew would stop at 16,777,216 (78 hours at
  // 60 frames a second), where adding one no longer changes it.
  static float textureAngle;

  ParticleSystem();
  ~ParticleSystem() override;

  Tag tag() const override;
  // maxParticles, the emitter, the shapes, the modifiers, the image (whose texture is created
  // at once, so a GL context must be current when an image is read).
  void read(Stream& stream) override;
  void write(Stream& stream) const override;
  // Ages, moves and removes the particles, drawing each live one as a textured square facing
  // the viewer, in one batch of quads transformed by the current modelview matrix on the
  // processor. Leaves the matrix stacks as it found them and the texture matrix turned.
  virtual void draw();

  // One simulation step: without an emitter nothing at all; else up to the emitter's rate (low
  // 16 bits) new particles within maxParticles, every modifier's advance, the active modifiers'
  // apply, then every shape's collide.
  void update();
  // Takes the image, creates its texture and binds it; a replaced image and its texture are
  // destroyed. None, or the image already set, changes nothing.
  void setImage(Image* image);

  // The particle pass of draw without OpenGL: from head to tail, removes each particle whose life
  // is over, otherwise counts its life down, moves it by velocity * stepScale and hands it to the
  // sink with its colour, drawn position and half-size, looked up in that order:
  //   sink(const Particle&, const Color4& color, const Vec3& drawn, float size)
  // A curve lookup that throws "Illegal Index" leaves the walk at that particle, which stays
  // listed with the particles after it.
  template <class Sink>
  void walk(Sink&& sink);

  // A new particle's record appended to the live particles; the emitter fills it.
  Particle& addParticle();

  // Live particles in creation order. Their records come from addParticle and belong to the
  // system, which gives them back when they die; the list may be read and its particles changed,
  // but a particle made elsewhere must not be put in it.
  ParticleList& particles() { return particles_; }
  const ParticleList& particles() const { return particles_; }
  // Owned by the registry, not by the system; none when the scene has none.
  Emitter* emitter() const { return emitter_; }
  void setEmitter(Emitter* emitter) { emitter_ = emitter; }
  Image* image() const { return image_; }
  // In file order, never holding null; the objects belong to the registry.
  PtrList<Bouncer>& shapes() { return shapes_; }
  const PtrList<Bouncer>& shapes() const { return shapes_; }
  PtrList<Modifier>& modifiers() { return modifiers_; }
  const PtrList<Modifier>& modifiers() const { return modifiers_; }
  uint32_t maxParticles() const { return maxParticles_; }
  void setMaxParticles(uint32_t limit) { maxParticles_ = limit; }
  // The image's texture name; 0 without an image.
  uint32_t texture() const { return texture_; }

 private:
  ParticlePool records_;
  ParticleList particles_;
  Emitter* emitter_ = nullptr;
  Image* image_ = nullptr;
  PtrList<Bouncer> shapes_;
  PtrList<Modifier> modifiers_;
  uint32_t maxParticles_ = 0;
  uint32_t texture_ = 0;
};

template <class Sink>
void ParticleSystem::walk(Sink&& sink) {
  // The survivors close up behind the walk in place, and the gap the dead left is taken out of the
  // list however the walk ends, the particle a throwing lookup stopped it at being kept. A
  // particle is listed once, so a dead one leaves the list where the walk finds it.
  struct Survivors {
    ParticleList& list;
    ParticleList::iterator kept;
    ParticleList::iterator next;
    ~Survivors() { list.erase(kept, next); }
  } survivors{particles_, particles_.begin(), particles_.begin()};
  const ParticleList::iterator end = particles_.end();
  while (survivors.next != end) {
    Particle* particle = *survivors.next++;
    if (particle->lifeLeft <= 0) {
      records_.release(particle);
      continue;
    }
    *survivors.kept++ = particle;
    particle->lifeLeft -= 1;
    particle->setPosition(particle->position + particle->velocity * particle->stepScale);
    const Color4 color = particle->currentColor();
    const Vec3 drawn = particle->orbitPosition();
    const float size = particle->currentSize();
    sink(static_cast<const Particle&>(*particle), color, drawn, size);
  }
}

#include "scene/ParticleSystem.h"

#include <algorithm>
#include <type_traits>

#include "core/OpenGl.h"
#include "core/vtException.h"
#include "images/Image.h"
#include "modifiers/Modifier.h"
#include "objfile/FieldIo.h"
#include "particles/Emitter.h"
#include "scene/ObjectFactory.h"
#include "shapes/Bouncer.h"

static_assert(std::is_same<GLuint, uint32_t>::value, "texture names are handed to OpenGL by address");

namespace {

// A list of contained objects: a signed count (0 or less is none), then each object. A tag 0
// entry has no sound reading in a list; it is left out, so the lists never hold null.
template <class T>
void readChildren(Stream& stream, PtrList<T>& list, int32_t limit) {
  int32_t count = 0;
  readField(stream, count);
  if (count > limit) {
    throw vtException(ErrorCode::NotEnoughMemory);
  }
  // The objects listed before belong to the registry; only the list is emptied.
  list.clear();
  for (int32_t i = 0; i < count; ++i) {
    T* child = ObjectFactory::instance().readChild<T>(stream);
    if (child != nullptr) {
      list.push_back(child);
    }
  }
}

template <class T>
void writeChildren(Stream& stream, const PtrList<T>& list) {
  writeField(stream, static_cast<int32_t>(list.size()));
  for (const T* child : list) {
    PsfObject::writeChild(stream, child);
  }
}

// The quads of one draw, with depth writes off while they are given. Ending the batch also pops
// the modelview matrix draw pushed, so the GL state is restored even when a curve lookup throws
// in the middle of the batch.
class QuadBatch {
 public:
  QuadBatch() {
    glDepthMask(GL_FALSE);
    glBegin(GL_QUADS);
  }
  ~QuadBatch() {
    glEnd();
    glDepthMask(GL_TRUE);
    glPopMatrix();
  }
  QuadBatch(const QuadBatch&) = delete;
  QuadBatch& operator=(const QuadBatch&) = delete;
};

// Turns the texture one more degree about its centre. The texture matrix is left so.
void turnTexture() {
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glTranslatef(0.5f, 0.5f, 0.0f);
  ParticleSystem::textureAngle += 1.0f;
  if (ParticleSystem::textureAngle >= 360.0f) {
    ParticleSystem::textureAngle -= 360.0f;
  }
  glRotatef(ParticleSystem::textureAngle, 0.0f, 0.0f, 1.0f);
  glTranslatef(-0.5f, -0.5f, 0.0f);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

float ParticleSystem::textureAngle = 0.0f;

ParticleSystem::ParticleSystem() = default;

// The emitter and the image are left alone: the registry destroys them, before this object. The
// particles' records go with their pool.
ParticleSystem::~ParticleSystem() {
  particles_.clear();
  if (texture_ != 0) {
    glDeleteTextures(1, &texture_);
  }
  modifiers_.clear();
  shapes_.clear();
}

Tag ParticleSystem::tag() const { return kTag; }

void ParticleSystem::read(Stream& stream) {
  PsfObject::read(stream);
  uint32_t limit = 0;
  readField(stream, limit);
  if (limit > kMaxParticles) {
    throw vtException(ErrorCode::NotEnoughMemory);
  }
  maxParticles_ = limit;
  emitter_ = ObjectFactory::instance().readChild<Emitter>(stream);
  readChildren(stream, shapes_, kMaxShapes);
  readChildren(stream, modifiers_, kMaxModifiers);
  setImage(ObjectFactory::instance().readChild<Image>(stream));
}

void ParticleSystem::write(Stream& stream) const {
  PsfObject::write(stream);
  writeField(stream, maxParticles_);
  writeChild(stream, emitter_);
  writeChildren(stream, shapes_);
  writeChildren(stream, modifiers_);
  writeChild(stream, image_);
}

void ParticleSystem::setImage(Image* image) {
  if (image == nullptr || image == image_) {
    return;
  }
  if (image_ != nullptr) {
    glDeleteTextures(1, &texture_);
    // Destroying an object takes it out of the registry, so shutdown will not destroy it again.
    delete image_;
  }
  image_ = image;
  texture_ = image->createTexture();
  glBindTexture(GL_TEXTURE_2D, texture_);
}

void ParticleSystem::update() {
  if (emitter_ == nullptr) {
    return;
  }
  // A rate of 65536 asks for none and -1 for 65535; the live count never passes the limit.
  const uint32_t wanted = static_cast<uint32_t>(emitter_->rate) & 0xFFFFu;
  const uint32_t live = static_cast<uint32_t>(particles_.size());
  const uint32_t room = live < maxParticles_ ? maxParticles_ - live : 0;
  const uint32_t count = std::min(wanted, room);
  for (uint32_t i = 0; i < count; ++i) {
    emitter_->createParticle(addParticle());
  }
  for (Modifier* modifier : modifiers_) {
    modifier->advance();
  }
  for (Modifier* modifier : modifiers_) {
    if (modifier->isActive()) {
      modifier->apply(particles_);
    }
  }
  for (Bouncer* shape : shapes_) {
    shape->collide(particles_);
  }
}

Particle& ParticleSystem::addParticle() {
  Particle* particle = records_.acquire();
  try {
    particles_.push_back(particle);
  } catch (...) {
    records_.release(particle);
    throw;
  }
  return *particle;
}

void ParticleSystem::draw() {
  glBindTexture(GL_TEXTURE_2D, texture_);
  glPushMatrix();
  glEnable(GL_TEXTURE_2D);
  glMatrixMode(GL_MODELVIEW);
  // The frame's camera. Particles are transformed by it here and given to OpenGL in eye
  // coordinates, so that each square can be built facing the viewer.
  GLfloat camera[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, camera);
  glLoadIdentity();
  turnTexture();
  const QuadBatch batch;
  walk([&camera](const Particle&, const Color4& color, const Vec3& p, float s) {
    const float ex = camera[0] * p.x + camera[4] * p.y + camera[8] * p.z + camera[12];
    const float ey = camera[1] * p.x + camera[5] * p.y + camera[9] * p.z + camera[13];
    const float ez = camera[2] * p.x + camera[6] * p.y + camera[10] * p.z + camera[14];
    glColor4fv(color.data());
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(ex - s, ey - s, ez);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(ex + s, ey - s, ez);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(ex + s, ey + s, ez);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(ex - s, ey + s, ez);
  });
}

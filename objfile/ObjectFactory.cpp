#include "objfile/ObjectFactory.h"

#include <initializer_list>
#include <new>

#include "images/BmpImage.h"
#include "images/TgaImage.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "shapes/BoxBouncer.h"
#include "shapes/CylinderBouncer.h"
#include "shapes/RectangleBouncer.h"
#include "shapes/SphereBouncer.h"
#include "shapes/TriangleBouncer.h"

namespace {

struct ClassEntry {
  Tag tag;
  PsfObject* (*create)();
};

template <class T>
PsfObject* make() {
  return new (std::nothrow) T;
}

// Every creatable stored class, by tag.
const std::initializer_list<ClassEntry> kClasses = {
    // The scene and its emitter.
    {makeTag("PSYS"), make<ParticleSystem>},
    {makeTag("EMIT"), make<Emitter>},
    // Deflector shapes.
    {makeTag("BBOX"), make<BoxBouncer>},
    {makeTag("BCYL"), make<CylinderBouncer>},
    {makeTag("BRCT"), make<RectangleBouncer>},
    {makeTag("BSPH"), make<SphereBouncer>},
    {makeTag("BTRI"), make<TriangleBouncer>},
    // Images.
    {makeTag("IBMP"), make<BmpImage>},
    {makeTag("ITGA"), make<TgaImage>},
};

// Tags of the abstract bases and of the file itself: known, but nothing to create.
const Tag kAbstractTags[] = {makeTag("BNCE"), makeTag("IMAG"), makeTag("MDFR"), makeTag("OBJC"), kFileTag};

}  // namespace

ObjectFactory& ObjectFactory::instance() {
  static ObjectFactory factory;
  return factory;
}

PsfObject* ObjectFactory::create(Tag tag) const {
  for (const ClassEntry& entry : kClasses) {
    if (entry.tag == tag) {
      return entry.create();
    }
  }
  for (Tag abstractTag : kAbstractTags) {
    if (abstractTag == tag) {
      return nullptr;
    }
  }
  throw vtException(ErrorCode::IllegalParticleId);
}

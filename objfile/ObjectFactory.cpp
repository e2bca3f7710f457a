#include "objfile/ObjectFactory.h"

#include <initializer_list>
#include <new>

#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"

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
    {makeTag("PSYS"), make<ParticleSystem>},
    {makeTag("EMIT"), make<Emitter>},
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

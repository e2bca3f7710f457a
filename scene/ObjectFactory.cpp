#include "scene/ObjectFactory.h"

#include <initializer_list>
#include <new>

#include "images/BmpImage.h"
#include "images/TgaImage.h"
#include "modifiers/AvoidBoxModifier.h"
#include "modifiers/AvoidQuadModifier.h"
#include "modifiers/AvoidSphereModifier.h"
#include "modifiers/BubbleModifier.h"
#include "modifiers/DampModifier.h"
#include "modifiers/ExplosionModifier.h"
#include "modifiers/FlowModifier.h"
#include "modifiers/ForceModifier.h"
#include "modifiers/GravityModifier.h"
#include "modifiers/SphereModifier.h"
#include "modifiers/TubeModifier.h"
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
    // Modifiers.
    {makeTag("MFRC"), make<ForceModifier>},
    {makeTag("MDMP"), make<DampModifier>},
    {makeTag("MBUB"), make<BubbleModifier>},
    {makeTag("MEXP"), make<ExplosionModifier>},
    {makeTag("MSPH"), make<SphereModifier>},
    {makeTag("MTUB"), make<TubeModifier>},
    {makeTag("MFLW"), make<FlowModifier>},
    {makeTag("MGRV"), make<GravityModifier>},
    {makeTag("MAVB"), make<AvoidBoxModifier>},
    {makeTag("MAVD"), make<AvoidQuadModifier>},
    {makeTag("MAVS"), make<AvoidSphereModifier>},
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

#include "scene/ObjectFactory.h"

#include <new>
#include <type_traits>

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

template <class T>
PsfObject* make() {
  return new (std::nothrow) T;
}

template <class T>
constexpr Family familyOf() {
  if constexpr (std::is_base_of_v<Bouncer, T>) {
    return Family::Shape;
  } else if constexpr (std::is_base_of_v<Modifier, T>) {
    return Family::Modifier;
  } else if constexpr (std::is_base_of_v<Image, T>) {
    return Family::Image;
  } else if constexpr (std::is_base_of_v<Emitter, T>) {
    return Family::Emitter;
  } else {
    static_assert(std::is_base_of_v<ParticleSystem, T>, "a stored class of no family");
    return Family::System;
  }
}

// Tags of the abstract bases and of the file itself: known, but nothing to create.
constexpr Tag kAbstractTags[] = {Bouncer::kTag, Image::kTag, Modifier::kTag, PsfObject::kTag, kFileTag};

constexpr bool isAbstractTag(Tag tag) {
  for (Tag abstractTag : kAbstractTags) {
    if (abstractTag == tag) {
      return true;
    }
  }
  return false;
}

// The class states its tag, its base its family; the row adds the name.
template <class T>
StoredClass storedClass(const char* name) {
  // A class that states no tag of its own would inherit its base's.
  static_assert(!isAbstractTag(T::kTag), "a stored class states its own kTag");
  return {T::kTag, name, familyOf<T>(), make<T>};
}

}  // namespace

ObjectFactory& ObjectFactory::instance() {
  static ObjectFactory factory;
  return factory;
}

const std::vector<StoredClass>& ObjectFactory::classes() const {
  // A new stored class is its own header and source and one row here.
  static const std::vector<StoredClass> kClasses = {
      storedClass<ParticleSystem>("ParticleSystem"),
      storedClass<Emitter>("Emitter"),
      // Deflector shapes.
      storedClass<BoxBouncer>("BoxBouncer"),
      storedClass<RectangleBouncer>("RectangleBouncer"),
      storedClass<TriangleBouncer>("TriangleBouncer"),
      storedClass<SphereBouncer>("SphereBouncer"),
      storedClass<CylinderBouncer>("CylinderBouncer"),
      // Modifiers.
      storedClass<ForceModifier>("ForceModifier"),
      storedClass<DampModifier>("DampModifier"),
      storedClass<BubbleModifier>("BubbleModifier"),
      storedClass<ExplosionModifier>("ExplosionModifier"),
      storedClass<SphereModifier>("SphereModifier"),
      storedClass<TubeModifier>("TubeModifier"),
      storedClass<FlowModifier>("FlowModifier"),
      storedClass<GravityModifier>("GravityModifier"),
      storedClass<AvoidBoxModifier>("AvoidBoxModifier"),
      storedClass<AvoidQuadModifier>("AvoidQuadModifier"),
      storedClass<AvoidSphereModifier>("AvoidSphereModifier"),
      // Images.
      storedClass<BmpImage>("BmpImage"),
      storedClass<TgaImage>("TgaImage"),
  };
  return kClasses;
}

PsfObject* ObjectFactory::create(Tag tag) const {
  for (const StoredClass& stored : classes()) {
    if (stored.tag == tag) {
      return stored.create();
    }
  }
  if (isAbstractTag(tag)) {
    return nullptr;
  }
  throw vtException(ErrorCode::IllegalParticleId);
}

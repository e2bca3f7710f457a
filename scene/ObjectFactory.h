#pragma once
// Creates stored objects from their tags. Its table is the one place that names every creatable
// stored class; the text format's schema is derived from it.

#include <vector>

#include "core/vtException.h"
#include "objfile/FieldIo.h"
#include "objfile/PsfObject.h"

// Where an object may stand in a scene; a reader of a contained object accepts only its own family.
enum class Family { System, Emitter, Shape, Modifier, Image };

// One creatable stored class: the tag its class states, the name the text format knows it by (its
// `type`), the family its base class puts it in, and how to make a default one.
struct StoredClass {
  Tag tag;
  const char* name;
  Family family;
  // A new, default-constructed object owned by the registry; none when memory runs out.
  PsfObject* (*create)();
};

class ObjectFactory {
 public:
  static ObjectFactory& instance();

  // Every creatable stored class, the root first, then the emitter, the shapes, the modifiers and
  // the images, each in the order scene authors see them listed.
  const std::vector<StoredClass>& classes() const;

  // A new, default-constructed object owned by the registry. The abstract bases and the file tag
  // give none; any other unknown tag throws "Illegal Particle ID".
  PsfObject* create(Tag tag) const;

  // Reads a contained object where one of class T is expected: its tag, then its body. Tag 0 is
  // no object. A tag that makes no object, or one of another class, stops the load with "Illegal
  // Particle ID": no body carries its length, so nothing could be skipped.
  template <class T>
  T* readChild(Stream& stream) const {
    const Tag tag = readTag(stream);
    if (tag == 0) {
      return nullptr;
    }
    PsfObject* object = create(tag);
    T* child = dynamic_cast<T*>(object);
    if (child == nullptr) {
      delete object;
      throw vtException(ErrorCode::IllegalParticleId);
    }
    child->read(stream);
    return child;
  }

 private:
  ObjectFactory() = default;
};

#pragma once
// Creates stored objects from their tags: the one place that names every stored class.

#include "core/vtException.h"
#include "objfile/FieldIo.h"
#include "objfile/PsfObject.h"

class ObjectFactory {
 public:
  static ObjectFactory& instance();

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

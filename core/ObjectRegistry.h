#pragma once
// The one owner of every scene object, newest first.

#include <cstddef>

#include "core/PtrList.h"

class RegisteredObject;

class ObjectRegistry {
 public:
  static ObjectRegistry& instance();

  // Inserts at the front, so destroyAll runs from the newest object to the oldest.
  void add(RegisteredObject* object);
  // Called by an object's destructor; the search starts at the newest object, which is the one
  // destroyAll destroys next.
  void remove(RegisteredObject* object);
  // Destroys every registered object, newest first; the objects a particle system read are
  // therefore destroyed before the particle system itself.
  void destroyAll();

  size_t size() const { return objects_.size(); }
  const PtrList<RegisteredObject>& objects() const { return objects_; }

 private:
  ObjectRegistry() = default;

  PtrList<RegisteredObject> objects_;
};

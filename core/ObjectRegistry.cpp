#include "core/ObjectRegistry.h"

#include <algorithm>

#include "core/RegisteredObject.h"

ObjectRegistry& ObjectRegistry::instance() {
  static ObjectRegistry registry;
  return registry;
}

void ObjectRegistry::add(RegisteredObject* object) { objects_.push_front(object); }

void ObjectRegistry::remove(RegisteredObject* object) {
  auto found = std::find(objects_.begin(), objects_.end(), object);
  if (found != objects_.end()) {
    objects_.erase(found);
  }
}

void ObjectRegistry::destroyAll() {
  // Each destructor unregisters its object, so the front is always the next one to destroy, even
  // if a destructor were to destroy another registered object.
  while (!objects_.empty()) {
    delete objects_.front();
  }
}

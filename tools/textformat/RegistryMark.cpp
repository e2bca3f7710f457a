#include "tools/textformat/RegistryMark.h"

#include "core/ObjectRegistry.h"
#include "core/RegisteredObject.h"

RegistryMark::RegistryMark() : size_(ObjectRegistry::instance().size()) {}

RegistryMark::~RegistryMark() {
  ObjectRegistry& registry = ObjectRegistry::instance();
  // Each destructor takes its object out of the registry, newest first.
  while (registry.size() > size_) {
    delete registry.objects().front();
  }
}

#include "core/RegisteredObject.h"

#include "core/ObjectRegistry.h"

RegisteredObject::RegisteredObject() { ObjectRegistry::instance().add(this); }

RegisteredObject::~RegisteredObject() { ObjectRegistry::instance().remove(this); }

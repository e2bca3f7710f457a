#pragma once
// Base of every object the registry owns. Registering in the constructor puts an object in the
// registry before any derived constructor runs; unregistering in the destructor means an object
// destroyed before shutdown is never destroyed a second time.

class RegisteredObject {
 public:
  RegisteredObject(const RegisteredObject&) = delete;
  RegisteredObject& operator=(const RegisteredObject&) = delete;
  virtual ~RegisteredObject();

 protected:
  RegisteredObject();
};

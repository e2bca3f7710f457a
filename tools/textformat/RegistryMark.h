#pragma once
// Destroys, when it goes out of scope, every scene object registered since it was made, newest
// first as shutdown does: a load that a tool only wanted to try leaves nothing behind.

#include <cstddef>

class RegistryMark {
 public:
  RegistryMark();
  ~RegistryMark();
  RegistryMark(const RegistryMark&) = delete;
  RegistryMark& operator=(const RegistryMark&) = delete;

 private:
  std::size_t size_;
};

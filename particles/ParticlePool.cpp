#include "particles/ParticlePool.h"

#include <new>
#include <type_traits>

// Nothing is destroyed when records are released or the blocks go.
static_assert(std::is_trivially_destructible<Particle>::value, "a particle record owns nothing");

Particle* ParticlePool::acquire() {
  Slot* slot = oldestFree_;
  if (slot != nullptr) {
    oldestFree_ = slot->nextFree;
    if (oldestFree_ == nullptr) {
      newestFree_ = nullptr;
    }
  } else {
    if (unusedInLastBlock_ == 0) {
      blocks_.emplace_back(new Slot[kBlockRecords]);
      unusedInLastBlock_ = kBlockRecords;
    }
    slot = &blocks_.back()[kBlockRecords - unusedInLastBlock_];
    --unusedInLastBlock_;
  }
  return new (slot->record) Particle;
}

void ParticlePool::release(Particle* particle) {
  // The record is the first member of its slot, so the two share an address.
  Slot* slot = reinterpret_cast<Slot*>(particle);
  slot->nextFree = nullptr;
  if (newestFree_ != nullptr) {
    newestFree_->nextFree = slot;
  } else {
    oldestFree_ = slot;
  }
  newestFree_ = slot;
}

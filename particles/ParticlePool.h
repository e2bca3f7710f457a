#pragma once
// Particle records taken from blocks instead of one heap allocation each. A freed record is handed
// out again oldest first: a particle system's particles all live equally long and die in the order
// they were made, so the ones made next take their places in the same order, and walking the
// particles in creation order walks their records through memory in order.

#include <cstddef>
#include <memory>
#include <vector>

#include "particles/Particle.h"

class ParticlePool {
 public:
  // Records per block: 22 KiB, few to leave unused at the end of the last block beside a scene
  // that fills the ones before.
  static constexpr size_t kBlockRecords = 256;

  ParticlePool() = default;
  ParticlePool(const ParticlePool&) = delete;
  ParticlePool& operator=(const ParticlePool&) = delete;

  // A record with a new particle's initial values; the pool keeps its memory.
  Particle* acquire();
  // Takes back a record this pool handed out; it must not be used again.
  void release(Particle* particle);

  // Records the blocks hold, handed out or free. It never shrinks: the most particles alive at
  // once decide it, and the particle system's limit bounds those.
  size_t capacity() const { return blocks_.size() * kBlockRecords; }

 private:
  // A record's memory; while free, the next free one.
  union Slot {
    Slot* nextFree;
    alignas(Particle) unsigned char record[sizeof(Particle)];
  };

  std::vector<std::unique_ptr<Slot[]>> blocks_;
  // Slots at the end of the last block never handed out.
  size_t unusedInLastBlock_ = 0;
  Slot* oldestFree_ = nullptr;
  Slot* newestFree_ = nullptr;
};

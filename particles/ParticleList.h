#pragma once
// The particle system's live particles: pointers to particle records in creation order, held in
// one contiguous array so that the walks of modifiers, shapes and the drawing pass read them in
// order. The list never deletes what it points to.

#include <cstddef>
#include <vector>

class Particle;

class ParticleList {
 public:
  using iterator = Particle**;
  using const_iterator = Particle* const*;

  iterator begin() { return pointers_.data(); }
  iterator end() { return pointers_.data() + pointers_.size(); }
  const_iterator begin() const { return pointers_.data(); }
  const_iterator end() const { return pointers_.data() + pointers_.size(); }

  size_t size() const { return pointers_.size(); }
  bool empty() const { return pointers_.empty(); }
  Particle* front() const { return pointers_.front(); }
  Particle* back() const { return pointers_.back(); }

  // At the tail.
  void push_back(Particle* particle) { pointers_.push_back(particle); }
  // Takes out [first, last), keeping the order of the rest.
  void erase(iterator first, iterator last) {
    pointers_.erase(pointers_.begin() + (first - begin()), pointers_.begin() + (last - begin()));
  }
  void clear() { pointers_.clear(); }

 private:
  std::vector<Particle*> pointers_;
};

#include "modifiers/GravityModifier.h"

#include <algorithm>
#include <cstdint>

// The pair loop, taken as written, costs a serial chain of additions per pair. But nothing in
// it reads a velocity except to add to it, and the impulses depend only on positions, so each
// particle i ends with its own velocity plus, in this order:
//   - for every earlier particle j (j < i) in reach, minus (p_i - p_j) k: i as the inner
//     particle of j's row;
//   - for every other particle j in reach, plus (p_j - p_i) k: i's own row;
//   - for every later particle j (j > i) in reach, minus (p_i - p_j) k: i in j's row.
// Every particle's sum is formed on its own with those operations in that order, four particles
// side by side in the lanes of one vector register. The results are the same bits as the pair
// loop's, signs of zeros included; only a particle listed twice would tell the difference.

namespace {

// GCC's vector extension: SSE on x86-64, scalar code elsewhere.
typedef float Lanes __attribute__((vector_size(16)));
typedef int32_t LaneMask __attribute__((vector_size(16)));
constexpr int kLanes = 4;

enum class Row { Earlier, Own, Later };

// Four consecutive particles of the list and the sums of their velocities so far.
struct LaneGroup {
  Lanes x, y, z;
  LaneMask index;
  Lanes vx, vy, vz;
};

// A lane's impulse where the pair is in reach and the row takes it, else +0.
Lanes masked(Lanes value, LaneMask take) { return reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(value) & take); }

// Takes the impulses of particles [from, to) of the given rows into the group's sums. Each sum
// only ever subtracts, so that a pair out of reach subtracts +0 and leaves the sum's bits alone:
// the own row's "v + f" is the same operation as "v - (-f)".
template <Row row>
void accumulate(LaneGroup& group, const float* x, const float* y, const float* z, int from, int to,
                float strength, float radiusSq) {
  const Lanes strengths = Lanes{} + strength;
  const Lanes reach = Lanes{} + radiusSq;
  const Lanes softening = Lanes{} + 0.0001f;
  for (int j = from; j < to; ++j) {
    // The pair loop measures from its outer particle: the lane in its own row, j in j's row.
    const Lanes dx = row == Row::Own ? x[j] - group.x : group.x - x[j];
    const Lanes dy = row == Row::Own ? y[j] - group.y : group.y - y[j];
    const Lanes dz = row == Row::Own ? z[j] - group.z : group.z - z[j];
    const Lanes s2 = dx * dx + dy * dy + dz * dz;
    LaneMask take = s2 < reach;
    if (row == Row::Earlier) {
      take &= j < group.index;
    } else if (row == Row::Own) {
      take &= j != group.index;
    } else {
      take &= j > group.index;
    }
    const Lanes k = strengths / (s2 * s2 + softening);
    if (row == Row::Own) {
      group.vx -= masked(-(dx * k), take);
      group.vy -= masked(-(dy * k), take);
      group.vz -= masked(-(dz * k), take);
    } else {
      group.vx -= masked(dx * k, take);
      group.vy -= masked(dy * k, take);
      group.vz -= masked(dz * k, take);
    }
  }
}

}  // namespace

GravityModifier::GravityModifier() { derive(); }

Tag GravityModifier::tag() const { return kTag; }

void GravityModifier::visitFields(FieldVisitor& visitor) {
  visitor.field("strength", strength);
  visitor.field("radius", radius);
}

void GravityModifier::derive() { radiusSq = radius * radius; }

// The pairs are measured between base positions: every particle of a scene carries the same
// auxiliary vector, and the drawn positions would cost a sine and a cosine per particle.
void GravityModifier::apply(ParticleList& particles) {
  const int count = static_cast<int>(particles.size());
  const int padded = (count + kLanes - 1) / kLanes * kLanes;
  points_.assign(3 * static_cast<size_t>(padded), 0.0f);
  float* x = points_.data();
  float* y = x + padded;
  float* z = y + padded;
  int i = 0;
  for (const Particle* particle : particles) {
    x[i] = particle->position.x;
    y[i] = particle->position.y;
    z[i] = particle->position.z;
    ++i;
  }
  // The padding lanes beyond the last particle compute sums that nobody stores.
  auto next = particles.begin();
  for (int first = 0; first < count; first += kLanes) {
    const int used = std::min(kLanes, count - first);
    LaneGroup group{};
    auto it = next;
    for (int lane = 0; lane < kLanes; ++lane) {
      group.x[lane] = x[first + lane];
      group.y[lane] = y[first + lane];
      group.z[lane] = z[first + lane];
      group.index[lane] = first + lane;
      if (lane < used) {
        group.vx[lane] = (*it)->velocity.x;
        group.vy[lane] = (*it)->velocity.y;
        group.vz[lane] = (*it)->velocity.z;
        ++it;
      }
    }
    accumulate<Row::Earlier>(group, x, y, z, 0, std::min(first + kLanes - 1, count), strength, radiusSq);
    accumulate<Row::Own>(group, x, y, z, 0, count, strength, radiusSq);
    accumulate<Row::Later>(group, x, y, z, first + 1, count, strength, radiusSq);
    for (int lane = 0; lane < used; ++lane) {
      (*next)->setVelocity(group.vx[lane], group.vy[lane], group.vz[lane]);
      ++next;
    }
  }
}

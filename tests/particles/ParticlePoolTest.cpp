#include "particles/ParticlePool.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

// How far apart two records lie, in bytes.
std::ptrdiff_t bytesApart(const Particle* from, const Particle* to) {
  return reinterpret_cast<const char*>(to) - reinterpret_cast<const char*>(from);
}

}  // namespace

TEST(ParticlePoolTest, ABlocksRecordsAreHandedOutOneAfterAnother) {
  ParticlePool pool;
  EXPECT_EQ(pool.capacity(), 0u);
  const Particle* first = pool.acquire();
  EXPECT_EQ(pool.capacity(), ParticlePool::kBlockRecords);
  const Particle* previous = first;
  for (size_t i = 1; i < ParticlePool::kBlockRecords; ++i) {
    const Particle* next = pool.acquire();
    ASSERT_EQ(bytesApart(previous, next), static_cast<std::ptrdiff_t>(sizeof(Particle))) << "record " << i;
    previous = next;
  }
  EXPECT_EQ(pool.capacity(), ParticlePool::kBlockRecords);
  pool.acquire();
  EXPECT_EQ(pool.capacity(), 2 * ParticlePool::kBlockRecords);
}

TEST(ParticlePoolTest, FreedRecordsComeBackOldestFirstWithANewParticlesValues) {
  ParticlePool pool;
  Particle* a = pool.acquire();
  Particle* b = pool.acquire();
  Particle* c = pool.acquire();
  for (Particle* p : {a, b, c}) {
    p->lifeLeft = 7;
    p->lifeTotal = 9;
    p->stepScale = 3.0f;
    p->orbitAngle = 2.0f;
    p->velocity = {1, 2, 3};
  }
  pool.release(b);
  pool.release(c);
  pool.release(a);
  EXPECT_EQ(pool.acquire(), b);
  EXPECT_EQ(pool.acquire(), c);
  Particle* again = pool.acquire();
  ASSERT_EQ(again, a);
  EXPECT_EQ(again->lifeLeft, 0);
  EXPECT_EQ(again->lifeTotal, 1);
  EXPECT_EQ(again->stepScale, 1.0f);
  EXPECT_EQ(again->orbitAngle, 0.0f);
  EXPECT_EQ(again->velocity.y, 0.0f);
  EXPECT_EQ(again->colorCurve, nullptr);
  // With nothing free, the block's next unused record.
  EXPECT_EQ(bytesApart(c, pool.acquire()), static_cast<std::ptrdiff_t>(sizeof(Particle)));
}

TEST(ParticlePoolTest, EqualLivesKeepTheirRecordsInBirthOrderAndThePoolItsSize) {
  // 1000 alive, 10 dying and 10 born per step, oldest first, as a scene at its steady crowd.
  ParticlePool pool;
  std::deque<Particle*> alive;
  for (int i = 0; i < 1000; ++i) {
    alive.push_back(pool.acquire());
  }
  const size_t settled = pool.capacity();
  EXPECT_EQ(settled, 1024u);
  for (int step = 0; step < 5000; ++step) {
    std::vector<Particle*> dead(alive.begin(), alive.begin() + 10);
    alive.erase(alive.begin(), alive.begin() + 10);
    for (Particle* p : dead) {
      pool.release(p);
    }
    for (Particle* p : dead) {
      Particle* born = pool.acquire();
      ASSERT_EQ(born, p) << "step " << step;
      alive.push_back(born);
    }
  }
  EXPECT_EQ(pool.capacity(), settled);
}

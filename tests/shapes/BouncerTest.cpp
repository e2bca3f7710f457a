#include "shapes/Bouncer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ShapeTesting.h"
#include "shapes/BoxBouncer.h"
#include "shapes/CylinderBouncer.h"
#include "shapes/RectangleBouncer.h"
#include "shapes/SphereBouncer.h"
#include "shapes/TriangleBouncer.h"

using BouncerTest = ShapeTest;

TEST_F(BouncerTest, MirrorReversesAndGrazeKeepsATenthOfTheNormalComponent) {
  const Vec3 w(1.0f, -2.0f, 3.0f);
  const Vec3 up(0.0f, 1.0f, 0.0f);
  float k = 0.0f;
  ASSERT_TRUE(Bouncer::reflectionFactor(Mirror, k));
  EXPECT_EQ(k, 2.0f);
  expectVec(Bouncer::reflect(w, up, k, 0.5f), {0.5f, 1.0f, 1.5f});
  ASSERT_TRUE(Bouncer::reflectionFactor(Graze, k));
  EXPECT_EQ(k, 1.1f);
  expectVec(Bouncer::reflect(w, up, k, 1.0f), {1.0f, 0.2f, 3.0f});
  // The normal's sign does not matter, to the bit.
  const Vec3 slanted = Vec3::normalized({0.3f, -0.7f, 0.2f});
  expectSameBits(Bouncer::reflect(w, slanted, 2.0f, 0.75f), Bouncer::reflect(w, slanted * -1.0f, 2.0f, 0.75f));
}

TEST_F(BouncerTest, ModesOtherThanMirrorAndGrazeHaveNoFactor) {
  for (int32_t mode : {0, 3, -1, 1000}) {
    float k = 7.0f;
    EXPECT_FALSE(Bouncer::reflectionFactor(mode, k)) << mode;
    EXPECT_EQ(k, 7.0f);
  }
}

TEST_F(BouncerTest, EveryShapeTagLoadsFromAListInOrder) {
  // A shape list as a particle system stores it: the count, then each shape's tag and body.
  Bytes bytes;
  bytes.tag("BBOX").vec({0, 0, 0}).vec({1, 1, 1}).f32(0.25f);
  bytes.tag("BRCT").vec({-10, 0, -10}).vec({10, 0, -10}).vec({10, 0, 10}).vec({-10, 0, 10}).f32(0.25f);
  bytes.tag("BTRI").vec({-10, 0, 0}).vec({10, 0, 0}).vec({0, 0, 10}).f32(0.75f).i32(1);
  bytes.tag("BSPH").vec({0, 0, 0}).f32(3.0f).f32(0.25f).i32(2);
  bytes.tag("BCYL").vec({0, 0, 0}).vec({0, 10, 0}).f32(2.0f).f32(0.75f);
  bytes.u32(0);  // what follows the list
  MemoryStream stream(bytes.data());
  const char* const tags[] = {"BBOX", "BRCT", "BTRI", "BSPH", "BCYL"};
  for (const char* name : tags) {
    Bouncer* shape = ObjectFactory::instance().readChild<Bouncer>(stream);
    ASSERT_NE(shape, nullptr) << name;
    const char tag[5] = {name[0], name[1], name[2], name[3], 0};
    EXPECT_EQ(shape->tag(), makeTag(tag));
  }
  EXPECT_EQ(stream.tell(), static_cast<int>(bytes.size()) - 4);
  EXPECT_EQ(ObjectRegistry::instance().size(), 5u);
}

TEST_F(BouncerTest, AShapeCutShortIsReadFailed) {
  const Bytes whole = Bytes().tag("BSPH").vec({0, 0, 0}).f32(3.0f).f32(0.25f).i32(2);
  std::vector<uint8_t> cut = whole.data();
  cut.pop_back();
  MemoryStream stream(cut);
  try {
    ObjectFactory::instance().readChild<Bouncer>(stream);
    FAIL() << "a sphere one byte short was accepted";
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::ReadFailed);
  }
}

TEST_F(BouncerTest, TwoShapesHitTheSameParticleInTurn) {
  // The floor sends the particle back up, into the sphere above it, which works from the floor's
  // velocity: the other way round, the sphere would miss and only the floor would act.
  RectangleBouncer* floor =
      read<RectangleBouncer>(Bytes().tag("BRCT").vec({-10, 0, -10}).vec({10, 0, -10}).vec({10, 0, 10}).vec({-10, 0, 10}).f32(0.25f));
  SphereBouncer* ball = read<SphereBouncer>(Bytes().tag("BSPH").vec({0, 3, 0}).f32(1.0f).f32(0.0f).i32(Mirror));
  TestParticles particles;
  particles.add({0, 1, 0}, {0, -2, 0});
  floor->collide(particles.list);
  expectVec(particles.list.front()->velocity, {0, 1.5f, 0});
  ball->collide(particles.list);
  expectVec(particles.list.front()->velocity, {0, -1.5f, 0});
}

TEST_F(BouncerTest, AParticleNoShapeHitsKeepsItsVelocityBitForBit) {
  BoxBouncer box;
  RectangleBouncer rectangle;
  TriangleBouncer triangle;
  SphereBouncer sphere;
  CylinderBouncer cylinder;
  Bouncer* const shapes[] = {&box, &rectangle, &triangle, &sphere, &cylinder};
  TestParticles particles;
  const Vec3 velocities[] = {{0.1f, -0.3f, 1e-7f}, {-0.0f, 0.0f, -0.0f}, {std::nextafter(1.0f, 2.0f), 0.7f, -0.2f}};
  for (const Vec3& velocity : velocities) {
    particles.add({40.0f, 30.0f, -20.0f}, velocity);
  }
  Particle& orbiting = particles.add({-30.0f, 25.0f, 40.0f}, {0.3f, 0.1f, 0.2f});
  orbiting.orbitRadius = 0.5f;
  orbiting.orbitAngle = 1.0f;
  for (Bouncer* shape : shapes) {
    shape->collide(particles.list);
  }
  ASSERT_EQ(particles.list.size(), 4u);
  auto it = particles.list.begin();
  for (const Vec3& velocity : velocities) {
    expectSameBits((*it++)->velocity, velocity);
  }
  expectSameBits((*it)->velocity, {0.3f, 0.1f, 0.2f});
  expectSameBits((*it)->position, {-30.0f, 25.0f, 40.0f});
}

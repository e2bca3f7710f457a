#include "modifiers/Modifier.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "ModifierTesting.h"
#include "core/ObjectRegistry.h"
#include "support/Bytes.h"

namespace {

struct Layout {
  char tag[5];
  int floats;
};

// Every modifier tag with the number of 4-byte fields in its body.
const Layout kLayouts[] = {
    {"MFRC", 3}, {"MDMP", 5}, {"MBUB", 3}, {"MEXP", 4}, {"MSPH", 4},  {"MTUB", 7},
    {"MFLW", 5}, {"MGRV", 2}, {"MAVB", 7}, {"MAVD", 13}, {"MAVS", 5},
};

Bytes body(const Layout& layout, int floats) {
  Bytes bytes;
  bytes.tag(layout.tag);
  for (int i = 0; i < floats; ++i) {
    bytes.f32(0.75f + 1.25f * static_cast<float>(i));
  }
  return bytes;
}

}  // namespace

TEST(ModifierTest, EveryTagLoadsThroughTheFactoryAndWritesItsBodyBack) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.tag);
    const Bytes bytes = body(layout, layout.floats);
    MemoryStream stream(bytes.data());
    Modifier* modifier = ObjectFactory::instance().readChild<Modifier>(stream);
    ASSERT_NE(modifier, nullptr);
    EXPECT_EQ(modifier->tag(), makeTag(layout.tag));
    EXPECT_EQ(stream.tell(), 4 + 4 * layout.floats);
    EXPECT_EQ(writtenChild(*modifier), bytes.data());
    delete modifier;
  }
  EXPECT_EQ(ObjectRegistry::instance().size(), 0u);
}

TEST(ModifierTest, BodyEndingInsideTheLastFieldIsReadFailed) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.tag);
    std::vector<uint8_t> bytes = body(layout, layout.floats).data();
    bytes.pop_back();
    MemoryStream stream(bytes);
    try {
      ObjectFactory::instance().readChild<Modifier>(stream);
      ADD_FAILURE() << "a short body was accepted";
    } catch (const vtException& e) {
      EXPECT_EQ(e.code, ErrorCode::ReadFailed);
    }
    // The partly read modifier stays with the registry, as after any failed load.
    EXPECT_EQ(ObjectRegistry::instance().size(), 1u);
    ObjectRegistry::instance().destroyAll();
  }
}

TEST(ModifierTest, ModifierTagIsAbstract) {
  MemoryStream stream(Bytes().tag("MDFR").data());
  EXPECT_THROW(ObjectFactory::instance().readChild<Modifier>(stream), vtException);
}

TEST(ModifierTest, DegenerateParticlesNeverCrashAndAreNeverMoved) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.tag);
    std::unique_ptr<Modifier> modifier(dynamic_cast<Modifier*>(ObjectFactory::instance().create(makeTag(layout.tag))));
    ASSERT_NE(modifier, nullptr);
    TestParticles particles;
    modifier->apply(particles.list);
    particles.add({0, 0, 0}, {0, 0, 0});
    particles.add({0, 0, 0}, {0, 0, 0}).orbitRadius = 1.0f;
    particles.add({nan, 0, 0}, {1, 0, 0});
    particles.add({1, 1, 1}, {inf, 0, -inf});
    particles.add({-inf, 2, 3}, {0, -1, 0});
    particles.add({3e38f, -3e38f, 3e38f}, {3e38f, 3e38f, 0});
    std::vector<Vec3> positions;
    for (const Particle* p : particles.list) {
      positions.push_back(p->position);
    }
    for (int step = 0; step < 3; ++step) {
      modifier->advance();
      modifier->isActive();
      modifier->apply(particles.list);
    }
    ASSERT_EQ(particles.list.size(), positions.size());
    auto position = positions.begin();
    for (const Particle* p : particles.list) {
      expectSameBits(p->position, *position++);
    }
  }
}

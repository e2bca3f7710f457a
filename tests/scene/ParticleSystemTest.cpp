#include "scene/ParticleSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/ObjectRegistry.h"
#include "core/OpenGl.h"
#include "images/Image.h"
#include "modifiers/Modifier.h"
#include "objfile/MemoryStream.h"
#include "particles/ColorCurve.h"
#include "particles/Emitter.h"
#include "scene/SceneLoader.h"
#include "shapes/Bouncer.h"
#include "support/Bytes.h"
#include "support/SceneBytes.h"
#include "support/TempDir.h"
#include "tools/headless/EglContext.h"

namespace {

using Log = std::vector<std::string>;

class FakeModifier : public Modifier {
 public:
  FakeModifier(const char* name, bool active, Log& log) : name_(name), active_(active), log_(log) {}
  void apply(ParticleList& particles) override {
    log_.push_back(name_ + " apply " + std::to_string(particles.size()));
  }
  void advance() override { log_.push_back(name_ + " advance"); }
  bool isActive() const override { return active_; }

 private:
  std::string name_;
  bool active_;
  Log& log_;
};

class FakeShape : public Bouncer {
 public:
  FakeShape(const char* name, Log& log) : name_(name), log_(log) {}
  void collide(ParticleList& particles) override {
    log_.push_back(name_ + " collide " + std::to_string(particles.size()));
  }
  void draw() override { log_.push_back(name_ + " draw"); }

 private:
  std::string name_;
  Log& log_;
};

// An image whose texture is one white texel, made in the current context.
class FakeImage : public Image {
 public:
  explicit FakeImage(bool* destroyed = nullptr) : destroyed_(destroyed) {}
  ~FakeImage() override {
    if (destroyed_ != nullptr) {
      *destroyed_ = true;
    }
  }
  void decode(ImageFile&) override {}
  int32_t loadState() const override { return ImageLoaded; }
  uint32_t createTexture() override {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const uint8_t white[4] = {255, 255, 255, 255};
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    return name;
  }
  int32_t height() const override { return 1; }
  int32_t width() const override { return 1; }

 private:
  bool* destroyed_;
};

ErrorCode readCode(const Bytes& body, ParticleSystem** system = nullptr) {
  auto* read = new ParticleSystem;
  if (system != nullptr) {
    *system = read;
  }
  MemoryStream stream(body.data());
  try {
    read->read(stream);
  } catch (const vtException& e) {
    return e.code;
  }
  ADD_FAILURE() << "no exception";
  return ErrorCode::PixelFormatFailed;
}

class ParticleSystemTest : public testing::Test {
 protected:
  void TearDown() override { ObjectRegistry::instance().destroyAll(); }

  // Read from a body; the registry owns it and every object it read.
  static ParticleSystem* read(const Bytes& body) {
    auto* system = new ParticleSystem;
    MemoryStream stream(body.data());
    system->read(stream);
    return system;
  }

  // Outlives the doubles the tear-down destroys.
  Log log;
};

// Live counts after each of several updates.
std::vector<size_t> countsAfterUpdates(ParticleSystem& system, int updates) {
  std::vector<size_t> counts;
  for (int i = 0; i < updates; ++i) {
    system.update();
    counts.push_back(system.particles().size());
  }
  return counts;
}

size_t walked(ParticleSystem& system) {
  size_t count = 0;
  system.walk([&count](const Particle&, const Color4&, const Vec3&, float) { ++count; });
  return count;
}

}  // namespace

TEST_F(ParticleSystemTest, SmallestSceneLoadsPlainAndCompressedAndDrawsNothing) {
  TempDir dir;
  const Bytes scene = Bytes().tag("PSHD").tag("PSYS").u32(7).u32(0).i32(0).i32(0).u32(0);
  ASSERT_EQ(scene.size(), 28u);
  const std::string plain = dir.write("small.psf", scene.data());
  const std::string packed = dir.writeGz("small.psf.gz", scene.data());
  const std::string trailing = dir.write("trailing.psf", Bytes(scene).u32(0xFFFFFFFF).tag("EMIT").data());
  for (const auto& [path, compressed] : {std::pair{plain, true}, std::pair{plain, false}, std::pair{packed, true},
                                         std::pair{trailing, true}}) {
    auto* system = dynamic_cast<ParticleSystem*>(SceneLoader::instance().load(path.c_str(), compressed));
    ASSERT_NE(system, nullptr) << path;
    EXPECT_EQ(system->maxParticles(), 7u);
    EXPECT_EQ(system->emitter(), nullptr);
    EXPECT_TRUE(system->shapes().empty());
    EXPECT_TRUE(system->modifiers().empty());
    EXPECT_EQ(system->image(), nullptr);
    EXPECT_EQ(system->texture(), 0u);
    system->update();
    EXPECT_EQ(walked(*system), 0u);
  }
}

TEST_F(ParticleSystemTest, EmitterTagOneStopsTheReadAfterTheLimit) {
  ParticleSystem* system = nullptr;
  EXPECT_EQ(readCode(Bytes().u32(50).u32(1).i32(0).i32(0).u32(0), &system), ErrorCode::IllegalParticleId);
  EXPECT_EQ(system->maxParticles(), 50u);
}

TEST_F(ParticleSystemTest, ChildOfTheWrongClassIsIllegalParticleId) {
  const size_t registered = ObjectRegistry::instance().size();
  const Bytes emitter = emitterChild(1, 1);
  // A particle system where the emitter belongs, an emitter where a shape, a modifier or the
  // image belongs: each is refused before its body is read, and the object made is destroyed.
  EXPECT_EQ(readCode(Bytes().u32(5).tag("PSYS")), ErrorCode::IllegalParticleId);
  EXPECT_EQ(readCode(Bytes().u32(5).u32(0).i32(1).raw(emitter.data())), ErrorCode::IllegalParticleId);
  EXPECT_EQ(readCode(Bytes().u32(5).u32(0).i32(0).i32(1).raw(emitter.data())), ErrorCode::IllegalParticleId);
  EXPECT_EQ(readCode(Bytes().u32(5).u32(0).i32(0).i32(0).raw(emitter.data())), ErrorCode::IllegalParticleId);
  EXPECT_EQ(readCode(Bytes().u32(5).u32(0).i32(1).tag("PSYS")), ErrorCode::IllegalParticleId);
  // Only the five systems that were being read are left.
  EXPECT_EQ(ObjectRegistry::instance().size(), registered + 5);
}

TEST_F(ParticleSystemTest, LimitsAreRefusedAsNotEnoughMemory) {
  EXPECT_EQ(readCode(Bytes().u32(ParticleSystem::kMaxParticles + 1)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(Bytes().u32(0xFFFFFFFF)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(Bytes().u32(5).u32(0).i32(ParticleSystem::kMaxShapes + 1)), ErrorCode::NotEnoughMemory);
  EXPECT_EQ(readCode(Bytes().u32(5).u32(0).i32(0).i32(ParticleSystem::kMaxModifiers + 1)),
            ErrorCode::NotEnoughMemory);

  // The limits themselves are accepted (here with entries of tag 0).
  Bytes largest = Bytes().u32(ParticleSystem::kMaxParticles).u32(0).i32(ParticleSystem::kMaxShapes);
  for (int i = 0; i < ParticleSystem::kMaxShapes; ++i) largest.u32(0);
  largest.i32(ParticleSystem::kMaxModifiers);
  for (int i = 0; i < ParticleSystem::kMaxModifiers; ++i) largest.u32(0);
  largest.u32(0);
  EXPECT_EQ(read(largest)->maxParticles(), ParticleSystem::kMaxParticles);
}

TEST_F(ParticleSystemTest, NegativeCountsAndNullEntriesLeaveTheListsEmpty) {
  // Counts of 0 or less read nothing; entries of tag 0 are left out of the lists.
  ParticleSystem* negative = read(Bytes().u32(5).raw(emitterChild(1, 3).data()).i32(-4).i32(-1).u32(0));
  EXPECT_TRUE(negative->shapes().empty());
  EXPECT_TRUE(negative->modifiers().empty());
  ParticleSystem* nulls = read(Bytes().u32(5).raw(emitterChild(1, 3).data()).i32(2).u32(0).u32(0).i32(1).u32(0).u32(0));
  EXPECT_TRUE(nulls->shapes().empty());
  EXPECT_TRUE(nulls->modifiers().empty());
  nulls->update();
  EXPECT_EQ(walked(*nulls), 1u);
}

TEST_F(ParticleSystemTest, WriteThenReadGivesTheSameBytes) {
  // Keys in descending order, as a build leaves them, so that the bytes come back as they were.
  Bytes curves = Bytes().i32(50).i32(2);
  curves.f32(1).f32(0.5f).f32(0.25f).f32(0).i32(100);
  curves.f32(0).f32(0).f32(1).f32(1).i32(0);
  curves.i32(20).i32(1).f32(0.75f).i32(30);
  const Bytes body = systemBody(1234, emitterChild(-7, 40, curves));
  ParticleSystem* system = read(body);
  MemoryStream written;
  system->write(written);
  EXPECT_EQ(written.bytes(), body.data());
  EXPECT_EQ(system->emitter()->rate, -7);

  // And a system without an emitter.
  const Bytes empty = systemBody(0, Bytes().u32(0));
  MemoryStream emptyWritten;
  read(empty)->write(emptyWritten);
  EXPECT_EQ(emptyWritten.bytes(), empty.data());
}

TEST_F(ParticleSystemTest, RateUsesItsLowSixteenBits) {
  const auto firstUpdate = [](int32_t rate) {
    ParticleSystem* system = read(systemBody(ParticleSystem::kMaxParticles, emitterChild(rate, 5)));
    system->update();
    return system->particles().size();
  };
  EXPECT_EQ(firstUpdate(65536), 0u);
  EXPECT_EQ(firstUpdate(65537), 1u);
  EXPECT_EQ(firstUpdate(-1), 65535u);
  EXPECT_EQ(firstUpdate(0), 0u);
}

TEST_F(ParticleSystemTest, TheLimitCapsEmission) {
  ParticleSystem* system = read(systemBody(25, emitterChild(10, 1000)));
  EXPECT_EQ(countsAfterUpdates(*system, 4), (std::vector<size_t>{10, 20, 25, 25}));
  ParticleSystem* none = read(systemBody(0, emitterChild(10, 1000)));
  EXPECT_EQ(countsAfterUpdates(*none, 3), (std::vector<size_t>{0, 0, 0}));

  // Room comes back as particles die: life 2 is drawn twice and removed on the third pass.
  ParticleSystem* shortLived = read(systemBody(25, emitterChild(10, 2)));
  std::vector<size_t> counts;
  for (int i = 0; i < 4; ++i) {
    shortLived->update();
    counts.push_back(shortLived->particles().size());
    walked(*shortLived);
  }
  EXPECT_EQ(counts, (std::vector<size_t>{10, 20, 25, 25}));
  EXPECT_EQ(shortLived->particles().size(), 15u);
}

TEST_F(ParticleSystemTest, LifeOfTenIsDrawnAtTenToHundredPercentAndRemovedOnTheEleventhPass) {
  ParticleSystem* system = read(systemBody(1, emitterChild(1, 10)));
  system->update();
  std::vector<float> percents;
  for (int pass = 1; pass <= 10; ++pass) {
    system->walk([&](const Particle& particle, const Color4&, const Vec3&, float) {
      percents.push_back(particle.lifePercent());
    });
  }
  ASSERT_EQ(percents.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(percents[static_cast<size_t>(i)], 10.0f * static_cast<float>(i + 1));
  }
  EXPECT_EQ(system->particles().size(), 1u);
  EXPECT_EQ(walked(*system), 0u);
  EXPECT_TRUE(system->particles().empty());
}

TEST_F(ParticleSystemTest, LifeZeroIsRemovedBeforeAnyCurveLookup) {
  // With curves, life 0 would be 0 / 0 percent, "Illegal Index", if its colour were looked up.
  const Bytes curves = Bytes().i32(10).i32(1).f32(1).f32(1).f32(1).f32(1).i32(0).i32(10).i32(0);
  ParticleSystem* system = read(systemBody(10, emitterChild(3, 0, curves)));
  system->update();
  ASSERT_EQ(system->particles().size(), 3u);
  EXPECT_EQ(walked(*system), 0u);
  EXPECT_TRUE(system->particles().empty());
}

TEST_F(ParticleSystemTest, WalkMovesThenLooksUpColourDrawnPositionAndSize) {
  // Colour from 0 to 1 and size from 0 to 2 over the life.
  Bytes curves = Bytes().i32(100).i32(2).f32(0).f32(0).f32(0).f32(0).i32(0).f32(1).f32(1).f32(1).f32(1).i32(100);
  curves.i32(100).i32(2).f32(0).i32(0).f32(2).i32(100);
  ParticleSystem* system = read(systemBody(10, emitterChild(1, 4, curves)));
  system->emitter()->origin = {1, 2, 3};
  system->emitter()->velocity = {0.5f, 0, 0};
  system->emitter()->orbitRadius = 1.0f;
  system->emitter()->orbitAngle = 0.0f;
  system->update();
  system->particles().front()->stepScale = 2.0f;
  int calls = 0;
  system->walk([&](const Particle& particle, const Color4& color, const Vec3& drawn, float size) {
    ++calls;
    EXPECT_EQ(particle.lifeLeft, 3);
    EXPECT_EQ(particle.position.x, 2.0f);  // 1 + 0.5 * 2
    // 25 percent of 100 entries is entry 24 (the factor is a hair below 0.01).
    EXPECT_FLOAT_EQ(color.r, 0.24f);
    EXPECT_FLOAT_EQ(size, 0.48f);
    // Moving along x with orbit angle 0: drawn one radius above.
    EXPECT_FLOAT_EQ(drawn.x, 2.0f);
    EXPECT_FLOAT_EQ(drawn.y, 3.0f);
    EXPECT_FLOAT_EQ(drawn.z, 3.0f);
  });
  EXPECT_EQ(calls, 1);
}

TEST_F(ParticleSystemTest, DeadParticlesAreRemovedWithoutDisturbingTheRest) {
  ParticleSystem* system = read(systemBody(10, emitterChild(0, 0)));
  for (int32_t life : {0, 3, 0, 0, 2, 0}) {
    Particle& particle = system->addParticle();
    particle.lifeLeft = life;
    particle.lifeTotal = life;
  }
  std::vector<int32_t> seen;
  system->walk([&](const Particle& particle, const Color4&, const Vec3&, float) {
    seen.push_back(particle.lifeTotal);
  });
  EXPECT_EQ(seen, (std::vector<int32_t>{3, 2}));
  EXPECT_EQ(system->particles().size(), 2u);
}

TEST_F(ParticleSystemTest, AThrowingLookupLeavesItsParticleAndTheUnwalkedOnesListed) {
  ColorCurve colors(10);
  colors.build();
  ParticleSystem* system = read(systemBody(10, emitterChild(0, 0)));
  // Marked by their lives; the fourth has 0 / 0 percent, "Illegal Index" in its colour lookup.
  for (int32_t life : {0, 3, 0, 5, 0, 2}) {
    Particle& particle = system->addParticle();
    particle.lifeLeft = life;
    particle.lifeTotal = life;
  }
  Particle* throwing = *(system->particles().begin() + 3);
  throwing->lifeTotal = 0;
  throwing->colorCurve = &colors;
  EXPECT_THROW(walked(*system), vtException);
  std::vector<int32_t> left;
  for (const Particle* particle : system->particles()) {
    left.push_back(particle->lifeLeft);
  }
  // The two dead before it are gone; it was counted down before its lookup.
  EXPECT_EQ(left, (std::vector<int32_t>{2, 4, 0, 2}));
}

TEST_F(ParticleSystemTest, TheNextParticlesTakeTheRecordsOfTheDeadInTheirOrder) {
  // Life 1: each generation is drawn once and removed on the next pass, which makes room for the
  // next one within the limit of two generations.
  ParticleSystem* system = read(systemBody(6, emitterChild(3, 1)));
  std::vector<std::vector<const Particle*>> generations;
  for (int step = 0; step < 4; ++step) {
    system->update();
    generations.emplace_back(system->particles().end() - 3, system->particles().end());
    walked(*system);
  }
  EXPECT_NE(generations[0], generations[1]);
  EXPECT_EQ(generations[2], generations[0]);
  EXPECT_EQ(generations[3], generations[1]);
}

TEST_F(ParticleSystemTest, WithoutAnEmitterModifiersAndShapesAreNotCalled) {
  ParticleSystem* system = read(systemBody(10, Bytes().u32(0)));
  system->modifiers().push_back(new FakeModifier("m1", true, log));
  system->modifiers().push_back(new FakeModifier("m2", false, log));
  system->modifiers().push_back(new FakeModifier("m3", true, log));
  system->shapes().push_back(new FakeShape("s1", log));
  system->shapes().push_back(new FakeShape("s2", log));
  system->update();
  EXPECT_TRUE(log.empty());

  // With an emitter: emission first, then every advance, the active ones' apply, every collide.
  auto* emitter = new Emitter;
  emitter->rate = 2;
  emitter->life = 5;
  system->setEmitter(emitter);
  system->update();
  EXPECT_EQ(log, (Log{"m1 advance", "m2 advance", "m3 advance", "m1 apply 2", "m3 apply 2", "s1 collide 2",
                      "s2 collide 2"}));
}

TEST_F(ParticleSystemTest, DestroyingTheSystemDeletesItsParticlesButNotItsObjects) {
  ParticleSystem* system = read(systemBody(10, emitterChild(4, 100)));
  system->update();
  Emitter* emitter = system->emitter();
  const size_t registered = ObjectRegistry::instance().size();
  delete system;
  // The emitter is still registered and usable; the leak checker sees the particles go.
  EXPECT_EQ(ObjectRegistry::instance().size(), registered - 1);
  EXPECT_EQ(emitter->rate, 4);
}

// With a current OpenGL context: a 64 x 64 view of eye space from -8 to 8, four pixels a unit.
class ParticleSystemDrawTest : public ParticleSystemTest {
 protected:
  void SetUp() override {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-8, 8, -8, 8, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  static GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
  }

  // A system with a white texture and a particle that lives five steps, red, half-size 1.
  ParticleSystem* systemWithParticle(const Vec3& position, const Vec3& velocity) {
    ParticleSystem* system = read(systemBody(10, Bytes().u32(0)));
    system->setImage(new FakeImage);
    red_.addKey({1, 0, 0, 1}, 0);
    red_.build();
    one_.addKey(1.0f, 0);
    one_.build();
    Particle& particle = system->addParticle();
    particle.position = position;
    particle.velocity = velocity;
    particle.lifeLeft = 5;
    particle.lifeTotal = 5;
    particle.colorCurve = &red_;
    particle.sizeCurve = &one_;
    return system;
  }

  std::vector<uint8_t> pixel(int x, int y) const {
    const std::vector<uint8_t> pixels = context_.readPixels();
    const auto at = pixels.begin() + (y * 64 + x) * 4;
    return {at, at + 4};
  }

  EglContext context_{64, 64};
  ColorCurve red_{10};
  SizeCurve one_{10};
};

TEST_F(ParticleSystemDrawTest, SquareLandsWhereTheCameraPutsItAfterTheMove) {
  ParticleSystem* system = systemWithParticle({2, 1, 0}, {1, 0, 0});
  // Camera: turn a quarter about z, then move by (1, 2, -10). The moved particle at (3, 1, 0)
  // turns to (-1, 3, 0) and lands at (0, 5, -10): a square from x -1..1, y 4..6, which is
  // pixels 28..35 across and 48..55 up. The square itself is not turned: it faces the viewer.
  glTranslatef(1, 2, -10);
  glRotatef(90, 0, 0, 1);
  GLfloat before[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  system->draw();
  const std::vector<uint8_t> red = {255, 0, 0, 255};
  const std::vector<uint8_t> black = {0, 0, 0, 0};
  EXPECT_EQ(pixel(32, 52), red);
  EXPECT_EQ(pixel(28, 48), red);
  EXPECT_EQ(pixel(35, 55), red);
  EXPECT_EQ(pixel(27, 52), black);
  EXPECT_EQ(pixel(36, 52), black);
  EXPECT_EQ(pixel(32, 47), black);
  EXPECT_EQ(pixel(32, 56), black);
  // The camera is back in place.
  GLfloat after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(after[i], before[i]) << i;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleSystemDrawTest, TextureTurnsOneDegreePerDrawAboutItsCentre) {
  ParticleSystem* system = systemWithParticle({0, 0, 0}, {0, 0, 0});
  const float start = ParticleSystem::textureAngle;
  for (int i = 0; i < 90; ++i) {
    system->draw();
  }
  EXPECT_EQ(ParticleSystem::textureAngle, std::fmod(start + 90.0f, 360.0f));
  GLfloat m[16];
  glMatrixMode(GL_TEXTURE);
  glGetFloatv(GL_TEXTURE_MATRIX, m);
  glMatrixMode(GL_MODELVIEW);
  const double angle = static_cast<double>(ParticleSystem::textureAngle) * 3.14159265358979 / 180.0;
  const float c = static_cast<float>(std::cos(angle));
  const float s = static_cast<float>(std::sin(angle));
  EXPECT_NEAR(m[0], c, 1e-5f);
  EXPECT_NEAR(m[1], s, 1e-5f);
  EXPECT_NEAR(m[4], -s, 1e-5f);
  EXPECT_NEAR(m[5], c, 1e-5f);
  // The centre (0.5, 0.5) stays where it is.
  EXPECT_NEAR(m[0] * 0.5f + m[4] * 0.5f + m[12], 0.5f, 1e-5f);
  EXPECT_NEAR(m[1] * 0.5f + m[5] * 0.5f + m[13], 0.5f, 1e-5f);
}

TEST_F(ParticleSystemDrawTest, TheTextureKeepsTurningPastAWholeTurn) {
  ParticleSystem* system = systemWithParticle({0, 0, 0}, {0, 0, 0});
  ParticleSystem::textureAngle = 358.0f;
  system->draw();
  EXPECT_EQ(ParticleSystem::textureAngle, 359.0f);
  system->draw();
  EXPECT_EQ(ParticleSystem::textureAngle, 0.0f);
  GLfloat m[16];
  glMatrixMode(GL_TEXTURE);
  glGetFloatv(GL_TEXTURE_MATRIX, m);
  glMatrixMode(GL_MODELVIEW);
  const GLfloat identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(m[i], identity[i], 1e-6f) << i;
  }
  system->draw();
  EXPECT_EQ(ParticleSystem::textureAngle, 1.0f);
}

TEST_F(ParticleSystemDrawTest, DrawLeavesTheStacksModeAndDepthWritesAsItFoundThem) {
  ParticleSystem* system = systemWithParticle({0, 0, 0}, {0, 0, 0});
  const GLint modelview = integer(GL_MODELVIEW_STACK_DEPTH);
  const GLint projection = integer(GL_PROJECTION_STACK_DEPTH);
  const GLint texture = integer(GL_TEXTURE_STACK_DEPTH);
  system->draw();
  EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), modelview);
  EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), projection);
  EXPECT_EQ(integer(GL_TEXTURE_STACK_DEPTH), texture);
  EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(system->texture()));
  EXPECT_NE(system->texture(), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleSystemDrawTest, IllegalIndexLeavesDrawWithTheStateRestored) {
  ParticleSystem* system = systemWithParticle({0, 0, 0}, {0, 0, 0});
  system->particles().front()->lifeTotal = 0;  // 0 / 0 percent on its first pass
  const GLint modelview = integer(GL_MODELVIEW_STACK_DEPTH);
  try {
    system->draw();
    ADD_FAILURE() << "no exception";
  } catch (const vtException& e) {
    EXPECT_EQ(e.code, ErrorCode::IllegalIndex);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), modelview);
  EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
}

TEST_F(ParticleSystemDrawTest, WithoutImageOrParticlesNothingIsDrawnAndTextureZeroIsBound) {
  ParticleSystem* system = read(systemBody(10, Bytes().u32(0)));
  FakeImage().createTexture();  // some other texture bound before the draw
  system->draw();
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
  const std::vector<uint8_t> pixels = context_.readPixels();
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), static_cast<std::ptrdiff_t>(pixels.size()));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleSystemDrawTest, ReplacedImageIsDestroyedOnceAndItsTextureDeleted) {
  ParticleSystem* system = read(systemBody(10, Bytes().u32(0)));
  EXPECT_EQ(system->texture(), 0u);
  bool firstDestroyed = false;
  auto* first = new FakeImage(&firstDestroyed);
  system->setImage(first);
  const uint32_t firstTexture = system->texture();
  EXPECT_TRUE(glIsTexture(firstTexture));
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(firstTexture));

  system->setImage(nullptr);
  system->setImage(first);
  EXPECT_FALSE(firstDestroyed);
  EXPECT_EQ(system->texture(), firstTexture);

  const size_t registered = ObjectRegistry::instance().size();
  auto* second = new FakeImage;
  system->setImage(second);
  EXPECT_TRUE(firstDestroyed);
  EXPECT_FALSE(glIsTexture(firstTexture));
  EXPECT_EQ(system->image(), second);
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(system->texture()));
  // The second came in and the first went out of the registry; the tear-down destroys the rest once.
  EXPECT_EQ(ObjectRegistry::instance().size(), registered);
}

#pragma once
// What the shape tests share: shapes read from bytes through the tag factory and an offscreen frame
// to draw them into, besides the particles and expectations of support/.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/ObjectRegistry.h"
#include "objfile/MemoryStream.h"
#include "scene/ObjectFactory.h"
#include "shapes/Bouncer.h"
#include "support/Bytes.h"
#include "support/SceneBytes.h"
#include "support/TestParticles.h"
#include "support/VectorExpectations.h"
#include "tools/headless/EglContext.h"

// Destroys every registered object after each test, as the screensaver does at shutdown.
class ShapeTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Reads one contained shape (its tag, then its body) and checks that the body was consumed to
  // the last byte.
  template <class T>
  T* read(const Bytes& bytes) {
    MemoryStream stream(bytes.data());
    T* shape = dynamic_cast<T*>(ObjectFactory::instance().readChild<Bouncer>(stream));
    EXPECT_NE(shape, nullptr);
    EXPECT_EQ(stream.tell(), static_cast<int>(bytes.size()));
    return shape;
  }

  // The velocity one particle gets from one collide.
  static Vec3 bounce(Bouncer& shape, const Vec3& position, const Vec3& velocity, float stepScale = 1.0f);
};

// An orthographic view of a 64 x 64 pixel frame with one pixel per world unit, centred on the
// origin and looking from eye towards it, cleared to black. Texturing and blending are switched on
// the way the particles leave them, with a red texture and a blend that blackens everything, so
// a drawing that fails to switch them off shows.
class DrawFrame {
 public:
  static constexpr int kSize = 64;

  DrawFrame(const Vec3& eye, const Vec3& up);
  ~DrawFrame();

  // Reads the frame back; call after drawing.
  void capture();
  // Whether the pixel at window coordinates (x, y) (origin bottom left) has the shapes' colour.
  bool shapeAt(int x, int y) const;
  // How many pixels have the shapes' colour.
  int shapePixels() const;
  // Whether texturing and blending are both switched on.
  static bool spriteStateOn();

 private:
  EglContext context_;
  unsigned int texture_ = 0;
  std::vector<uint8_t> pixels_;
};

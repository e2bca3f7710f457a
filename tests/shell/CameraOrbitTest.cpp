#include "shell/CameraOrbit.h"

#include <gtest/gtest.h>

TEST(CameraOrbitTest, AFixedCameraStandsAtItsStartAngle) {
  const Vec3 eye = CameraOrbit::eye(CameraOrbit::kStartAngle);
  EXPECT_NEAR(eye.x, 12.37f, 0.005f);
  EXPECT_NEAR(eye.y, 22.37f, 0.005f);
  EXPECT_NEAR(eye.z, 58.13f, 0.005f);
  // Height and x swing together, 10 apart.
  EXPECT_FLOAT_EQ(eye.y - eye.x, 10.0f);
  EXPECT_EQ(CameraOrbit::advance(CameraOrbit::kStartAngle, false), CameraOrbit::kStartAngle);
}

TEST(CameraOrbitTest, TheEyeTracesAnEllipseOfHalfAxesFiftyAndSixty) {
  const Vec3 front = CameraOrbit::eye(0.0f);
  EXPECT_FLOAT_EQ(front.x, 0.0f);
  EXPECT_FLOAT_EQ(front.y, 10.0f);
  EXPECT_FLOAT_EQ(front.z, 60.0f);
  const Vec3 side = CameraOrbit::eye(1.5707964f);
  EXPECT_FLOAT_EQ(side.x, 50.0f);
  EXPECT_FLOAT_EQ(side.y, 60.0f);
  EXPECT_NEAR(side.z, 0.0f, 1e-5f);
  const Vec3 low = CameraOrbit::eye(-1.5707964f);
  EXPECT_FLOAT_EQ(low.y, -40.0f);
}

TEST(CameraOrbitTest, AnOrbitingCameraTurnsOneHundredthPerFrameInSinglePrecision) {
  float angle = CameraOrbit::kStartAngle;
  float expected = 0.25f;
  for (int frame = 0; frame < 1000; ++frame) {
    angle = CameraOrbit::advance(angle, true);
    expected = expected + 0.01f;
  }
  // Accumulated float by float, not 0.25 + 1000 * 0.01 computed at once.
  EXPECT_EQ(angle, expected);
  EXPECT_NE(angle, 10.25f);
}

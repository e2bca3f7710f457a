#include "view/CameraOrbit.h"

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
  for (int frame = 0; frame < 600; ++frame) {
    angle = CameraOrbit::advance(angle, true);
    expected = expected + 0.01f;
  }
  // Accumulated float by float, not 0.25 + 600 * 0.01 computed at once.
  EXPECT_EQ(angle, expected);
  EXPECT_NE(angle, 6.25f);
}

TEST(CameraOrbitTest, AfterAWholeTurnTheCameraGoesOnFromTheSamePlace) {
  const float last = 6.2831845f;  // one frame short of a whole turn
  const float next = CameraOrbit::advance(last, true);
  EXPECT_NEAR(next, 0.01f, 2e-6f);
  const Vec3 before = CameraOrbit::eye(last + 0.01f);
  const Vec3 after = CameraOrbit::eye(next);
  EXPECT_NEAR(after.x, before.x, 1e-4f);
  EXPECT_NEAR(after.y, before.y, 1e-4f);
  EXPECT_NEAR(after.z, before.z, 1e-4f);
}

TEST(CameraOrbitTest, DaysOfFramesOnTheCameraStillTurnsOneHundredthPerFrame) {
  // 30 million frames: a week at 50 frames a second. A float that only grew would have stopped
  // at 262,144 after about 23 million.
  float angle = CameraOrbit::kStartAngle;
  for (int frame = 0; frame < 30000000; ++frame) {
    angle = CameraOrbit::advance(angle, true);
  }
  EXPECT_GE(angle, 0.0f);
  EXPECT_LT(angle, CameraOrbit::kTurn);
  for (int frame = 0; frame < 1000; ++frame) {
    const float next = CameraOrbit::advance(angle, true);
    const float step = next >= angle ? next - angle : next + CameraOrbit::kTurn - angle;
    ASSERT_NEAR(step, 0.01f, 1e-6f) << frame;
    angle = next;
  }
}

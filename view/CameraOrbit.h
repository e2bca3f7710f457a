#pragma once
// Where the screensaver's camera stands: on an ellipse round the origin (half-axes 50 in x and 60
// in z), its height swinging between -40 and 60 in phase with x, always looking at the origin.

#include "core/Vec3.h"

struct CameraOrbit {
  // Radians. Orbiting scenes add kStep every frame; the others stay at kStartAngle.
  static constexpr float kStartAngle = 0.25f;
  static constexpr float kStep = 0.01f;
  // A whole turn, 2 pi rounded to float. The angle is kept below it: a float that only grew
  // would turn the camera faster and slower as its precision fell, and from 262,144 on (four
  // and a half days at 60 frames a second) not at all. Subtracting it is exact, so every turn
  // looks the same.
  static constexpr float kTurn = 6.2831855f;

  static Vec3 eye(float angle);
  // The next frame's angle.
  static float advance(float angle, bool orbits);
};

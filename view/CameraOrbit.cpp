#include "view/CameraOrbit.h"

#include "core/FloatMath.h"

float CameraOrbit::advance(float angle, bool orbits) {
  if (!orbits) {
    return angle;
  }
  const float next = angle + kStep;
  return next >= kTurn ? next - kTurn : next;
}

Vec3 CameraOrbit::eye(float angle) {
  const float s = floatSin(angle);
  return {50.0f * s, 50.0f * s + 10.0f, 60.0f * floatCos(angle)};
}

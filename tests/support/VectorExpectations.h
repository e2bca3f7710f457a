#pragma once
// Expectations on vectors and planes, component by component.

#include "core/Plane.h"
#include "core/Vec3.h"

// A few ulps apart.
void expectVec(const Vec3& actual, const Vec3& expected);
void expectPlane(const Plane& plane, const Vec3& normal, float offset);
// The same bits, NaNs of the same pattern included.
void expectSameBits(const Vec3& actual, const Vec3& expected);

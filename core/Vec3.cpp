#include "core/Vec3.h"

#include <cmath>

Vec3 Vec3::normalized(const Vec3& v) { return divided(v, std::sqrt(lengthSquared(v))); }

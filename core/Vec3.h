#pragma once
// Single-precision three-component vector; the world is y-up.

class Vec3 {
 public:
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr Vec3() = default;
  constexpr Vec3(float x, float y, float z) : x(x), y(y), z(z) {}

  void set(float nx, float ny, float nz) {
    x = nx;
    y = ny;
    z = nz;
  }

  static Vec3 add(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  static Vec3 sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  static Vec3 scaled(const Vec3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
  static Vec3 divided(const Vec3& v, float s) { return {v.x / s, v.y / s, v.z / s}; }
  static void divideInPlace(Vec3& v, float s) {
    v.x /= s;
    v.y /= s;
    v.z /= s;
  }
  static float lengthSquared(const Vec3& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }
  static float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
  static Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y};
  }
  // No zero guard: a zero vector gives three NaN components.
  static Vec3 normalized(const Vec3& v);
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return Vec3::add(a, b); }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return Vec3::sub(a, b); }
inline Vec3 operator*(const Vec3& v, float s) { return Vec3::scaled(v, s); }
inline Vec3 operator/(const Vec3& v, float s) { return Vec3::divided(v, s); }

static_assert(sizeof(Vec3) == 12, "a Vec3 is stored as three consecutive floats");

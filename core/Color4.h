#pragma once
// Red, green, blue, alpha; nominally 0..1 but never clamped (OpenGL clamps when drawing).

class Color4 {
 public:
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;

  constexpr Color4() = default;
  constexpr Color4(float r, float g, float b, float a) : r(r), g(g), b(b), a(a) {}

  // For glColor4fv.
  const float* data() const { return &r; }
};

// Per channel, for the colour curve's interpolation.
inline Color4 operator+(const Color4& p, const Color4& q) { return {p.r + q.r, p.g + q.g, p.b + q.b, p.a + q.a}; }
inline Color4 operator-(const Color4& p, const Color4& q) { return {p.r - q.r, p.g - q.g, p.b - q.b, p.a - q.a}; }
inline Color4 operator*(const Color4& c, float s) { return {c.r * s, c.g * s, c.b * s, c.a * s}; }
inline Color4 operator/(const Color4& c, float s) { return {c.r / s, c.g / s, c.b / s, c.a / s}; }

static_assert(sizeof(Color4) == 16, "glColor4fv reads the four channels as one array");

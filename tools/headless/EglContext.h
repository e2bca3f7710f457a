#pragma once
// A headless OpenGL context for tests and tools on Linux: Mesa's surfaceless EGL platform with a
// pbuffer, desktop OpenGL in the compatibility profile (llvmpipe when there is no GPU).

#include <EGL/egl.h>

#include <cstdint>
#include <vector>

class EglContext {
 public:
  // Creates the context and makes it current; throws std::runtime_error when EGL refuses.
  EglContext(int width, int height);
  ~EglContext();
  EglContext(const EglContext&) = delete;
  EglContext& operator=(const EglContext&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // The colour buffer as RGBA bytes, bottom row first (OpenGL's order).
  std::vector<uint8_t> readPixels() const;

 private:
  void release();

  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLSurface surface_ = EGL_NO_SURFACE;
  EGLContext context_ = EGL_NO_CONTEXT;
  int width_;
  int height_;
};

#include "tools/headless/EglContext.h"

#include <EGL/eglext.h>

#include <stdexcept>

#include "core/OpenGl.h"

namespace {

EGLDisplay surfacelessDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) {
    throw std::runtime_error("EGL: eglGetPlatformDisplayEXT is missing");
  }
  return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

EglContext::EglContext(int width, int height) : width_(width), height_(height) {
  display_ = surfacelessDisplay();
  if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
    throw std::runtime_error("EGL: no surfaceless display");
  }
  // 8 bits per channel and a 16-bit depth buffer, as the screensaver asks of its window.
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE,        8,
                                     EGL_GREEN_SIZE,   8,               EGL_BLUE_SIZE,       8,
                                     EGL_ALPHA_SIZE,   8,               EGL_DEPTH_SIZE,      16,
                                     EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  if (!eglChooseConfig(display_, configAttributes, &config, 1, &count) || count < 1) {
    throw std::runtime_error("EGL: no pbuffer configuration for desktop OpenGL");
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface_ = eglCreatePbufferSurface(display_, config, surfaceAttributes);
  eglBindAPI(EGL_OPENGL_API);
  context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
  if (surface_ == EGL_NO_SURFACE || context_ == EGL_NO_CONTEXT ||
      !eglMakeCurrent(display_, surface_, surface_, context_)) {
    release();
    throw std::runtime_error("EGL: cannot make a pbuffer context current");
  }
  glViewport(0, 0, width, height);
}

EglContext::~EglContext() { release(); }

void EglContext::release() {
  if (display_ == EGL_NO_DISPLAY) {
    return;
  }
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_ != EGL_NO_CONTEXT) {
    eglDestroyContext(display_, context_);
  }
  if (surface_ != EGL_NO_SURFACE) {
    eglDestroySurface(display_, surface_);
  }
  // The display stays initialised for the life of the process: terminating it unloads Mesa's
  // driver, which leaves two small blocks behind that the leak checker cannot attribute.
  display_ = EGL_NO_DISPLAY;
}

std::vector<uint8_t> EglContext::readPixels() const {
  std::vector<uint8_t> pixels(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

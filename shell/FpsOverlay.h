#pragma once
// The frame rate in the window's lower left corner, in the X server's "fixed" font as the GLX
// programs of XScreenSaver draw it.

#include <X11/Xlib.h>

#include <cstdint>

#include "core/OpenGl.h"

class FpsOverlay {
 public:
  // Loads the font into display lists of the current context. Without the font the overlay
  // stays empty and says so once on standard error.
  explicit FpsOverlay(Display* display);
  ~FpsOverlay();
  FpsOverlay(const FpsOverlay&) = delete;
  FpsOverlay& operator=(const FpsOverlay&) = delete;

  // Over the finished frame, before the swap; leaves the OpenGL state as it found it.
  void draw(double framesPerSecond, int32_t width, int32_t height) const;

 private:
  Display* display_;
  XFontStruct* font_ = nullptr;
  GLuint lists_ = 0;
};

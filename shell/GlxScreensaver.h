#pragma once
// Everything that ties the Linux screensaver to X11: the display, the window it draws in (its own,
// the root window or a given one), a double-buffered GLX context on that window, the window's
// events and the buffer swap.

#include <X11/Xlib.h>
#include <GL/glx.h>

#include <cstdint>

#include "shell/HackRules.h"

class GlxScreensaver {
 public:
  // Throws "Window Creation Failed" (no display, no such window), "Failure while setting
  // PixelFormat" (no double-buffered RGBA OpenGL visual for the window), "Could not create GL
  // Context" or "Could not activate GLRC". The context is current when it returns.
  explicit GlxScreensaver(const HackTarget& target);
  // Releases the context, closes a window of its own and the display.
  ~GlxScreensaver();
  GlxScreensaver(const GlxScreensaver&) = delete;
  GlxScreensaver& operator=(const GlxScreensaver&) = delete;

  // Handles every pending event without waiting; false once the run is to end. An X error ends
  // it too: after the window's destruction every drawing request fails.
  bool pumpEvents();
  void swapBuffers();
  // True once after the window's size has changed; width and height are then the new size.
  bool takeResize();
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  Display* display() const { return display_; }
  // An X error other than the window's disappearance: the run ended on a fault, not by request.
  bool failed() const;

 private:
  // Safe on a half-made start: each resource is checked before it is released.
  void release();
  void takeWindow(Window window);
  void makeWindow();
  void createContext(XVisualInfo* visual);
  void handle(const XEvent& event, bool& running);

  HackWindow kind_;
  Display* display_ = nullptr;
  Window window_ = 0;
  Colormap colormap_ = 0;
  GLXContext context_ = nullptr;
  Atom deleteWindow_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool resized_ = false;
  bool windowGone_ = false;
};

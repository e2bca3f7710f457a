#pragma once
// Everything that ties the screensaver to Windows: the display mode of a full-screen run, the
// window (a topmost popup, or a child of the preview window Windows gives), the OpenGL context,
// the one registry setting, the rules for ending a run and the message pump.

#include <windows.h>

#include "core/String.h"
#include "shell/RunMode.h"

class Screensaver {
 public:
  // parent is the preview window in Preview mode and ignored (0) in FullScreen mode. Throws
  // "Window Creation Failed", "Failure while setting PixelFormat", "Could not create GL Context"
  // or "Could not activate GLRC"; then only the title is released: the process is about to end.
  Screensaver(HINSTANCE instance, HWND parent, RunMode mode);
  // Restores the display mode and releases the OpenGL context and the device context; the window
  // stays, the process ends right after.
  ~Screensaver();
  Screensaver(const Screensaver&) = delete;
  Screensaver& operator=(const Screensaver&) = delete;

  // Handles at most one pending message without waiting; false once WM_QUIT has been taken.
  bool pumpMessage();

  HWND window() const { return window_; }
  HDC deviceContext() const { return deviceContext_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  void readSettings();
  void createWindow();
  void setPixelFormat();
  void createGLContext();

  static LRESULT CALLBACK screensaverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  HWND window_;
  MSG message_;
  HDC deviceContext_;
  HGLRC glContext_;
  int32_t width_;
  int32_t height_;
  String title_;
};

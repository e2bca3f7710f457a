#pragma once
// The Linux screensaver's decisions apart from X11: which window it draws in and what the events
// of that window do to the run.

#include <cstdint>

#include "shell/HackOptions.h"

enum class HackWindow {
  Own,    // a resizable window of its own, a viewer for authors too
  Root,   // the screen's root window
  Given,  // a window someone else made: -window-id, or XScreenSaver's
};

// What happened to the window, in the terms the rules need.
enum class HackEvent {
  KeyPressed,
  CloseRequest,  // the window manager's WM_DELETE_WINDOW
  Destroyed,
  Resized,
};

enum class HackAction {
  Ignore,
  End,     // leave the frame loop; the program exits 0
  Resize,  // set the viewport to the window's new size
};

struct HackTarget {
  HackWindow window;
  uint64_t id;  // for Given only
};

struct HackRules {
  // -window-id first; then the window XScreenSaver hands its programs in $XSCREENSAVER_WINDOW
  // (null or unreadable: none); then -root; else a window of its own. The daemon and its settings'
  // preview start programs with -root and that variable set, so that the variable must win.
  static HackTarget chooseWindow(const HackOptions& options, const char* xscreensaverWindow);
  // Keys end only a run in its own window: on the root window or in XScreenSaver's, the daemon
  // owns the input and ends the run with SIGTERM.
  static HackAction react(HackWindow window, HackEvent event);
};

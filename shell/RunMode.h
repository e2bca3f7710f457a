#pragma once
// How the screensaver was started. The numbers are compared by value across the shell, so they are
// fixed.

#include <cstdint>

enum class RunMode : int32_t {
  Configure = 1,       // the settings dialog
  ChangePassword = 2,  // the system's password service
  Preview = 3,         // drawing into a child of the window Windows gives
  FullScreen = 4,      // drawing full screen
};

#pragma once
// The Linux screensaver's command line, read as XScreenSaver's programs read theirs: each option
// with one dash or two ("-root" and "--root"), a value as the next argument.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/FramePacer.h"

struct HackOptions {
  // The arguments after the program's name. Never throws: a mistake is reported through error.
  static HackOptions parse(const std::vector<std::string>& args);
  // A window id as XScreenSaver writes one, decimal or 0x hex, with spaces around allowed; none
  // for anything else, zero included (no window has id 0).
  static std::optional<uint64_t> parseWindowId(const std::string& text);

  // Set when the arguments cannot be used: the program prints it with the usage and exits 1.
  std::string error;
  bool help = false;
  bool root = false;
  std::optional<uint64_t> windowId;
  // One of the scene table's names (without ".psf"); empty for a random choice.
  std::string scene;
  // Any scene file, shown with the table's style when its name is in the table.
  std::string sceneFile;
  // Empty: the installed scenes, or the build's beside a hack run from the build tree.
  std::string scenesDir;
  bool fps = false;
  // Microseconds from one frame's start to the next's (XScreenSaver's -delay); 0: the display's pace.
  uint32_t delay = FramePacer::kSceneInterval;
  // The generator's seed; without it the time in seconds, as on Windows.
  std::optional<uint32_t> seed;
};

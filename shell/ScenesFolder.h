#pragma once
// Where the Linux screensaver finds its scenes when -scenes-dir does not say: beside its own
// installation, or in the build's scenes folder when it runs from the build tree. Both are found
// from the program's own path, so an installation anywhere (a package unpacked into a scratch
// folder too) draws its own scenes.

#include <string>

struct ScenesFolder {
  // executable: the program's absolute path (/proc/self/exe). The installed folder when it
  // exists, else the build's when that exists, else the installed one, so that a message about
  // a missing scene names the place a user expects.
  static std::string defaultFor(const std::string& executable);
  // The same for the running program.
  static std::string defaultForThisProgram();
};

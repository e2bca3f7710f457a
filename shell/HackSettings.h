#pragma once
// What the Linux screensaver tells people and XScreenSaver about itself: its scenes, its usage,
// XScreenSaver's settings file for it and the scene list of its manual page. All of them are
// made from the one scene table, so that none of them can name a scene the program lacks.

#include <string>
#include <vector>

struct HackSettings {
  // -scene's word for a choice at random, as if no scene were named.
  static constexpr const char* kRandomScene = "random";

  // One of the table's scenes, by the name -scene takes (without ".psf").
  static bool isSceneName(const std::string& name);
  // The help; defaultScenesDir is where this copy of the program finds its scenes.
  static std::string usage(const std::string& defaultScenesDir);
  // ostrel.xml, read by xscreensaver-settings: the scene menu and the frame-rate checkbox.
  static std::string settingsXml();
  // The manual page's list of scenes: the names in bold, separated by commas (roff).
  static std::string manualSceneList();
};

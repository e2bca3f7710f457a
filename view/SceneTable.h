#pragma once
// The scenes a run chooses from, each with the camera and trail style it is shown with. The files
// are looked up by bare name in the current directory, which the entry point makes the Windows
// directory.

#include <cstdint>
#include <string>
#include <vector>

#include "core/String.h"

struct SceneEntry {
  String file;
  bool cameraOrbits;  // whether the camera turns 0.01 radian per frame or stays at its start angle
  float fadeAlpha;    // how much of the previous frame each frame darkens away: 1 leaves no trails
};

constexpr int kSceneCount = 8;

// "waterfall.psf" stands twice, so it is shown twice as often as each of the others.
extern const SceneEntry kSceneFiles[kSceneCount];

struct SceneTable {
  // The row for one raw draw of the generator (0..32767).
  static int indexFor(int32_t raw);
  // Draws one value from the generator and returns its row.
  static const SceneEntry& choose();
  // The table's files once each, in table order, without ".psf": the scenes by name.
  static std::vector<std::string> names();
  // The first row of a file name ("waterfall.psf"); none for a file the table does not hold.
  static const SceneEntry* find(const std::string& fileName);
};

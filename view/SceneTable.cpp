#include "view/SceneTable.h"

#include <algorithm>

#include "core/Random.h"

const SceneEntry kSceneFiles[kSceneCount] = {
    {"tube.psf", true, 0.3f},       {"fountain.psf", false, 0.3f}, {"swarm.psf", true, 0.3f},
    {"melt.psf", true, 0.7f},       {"waterfall.psf", false, 0.15f}, {"rain.psf", false, 0.3f},
    {"waterfall.psf", false, 0.15f}, {"snow.psf", false, 1.0f},
};

int SceneTable::indexFor(int32_t raw) { return static_cast<int>(raw % kSceneCount); }

const SceneEntry& SceneTable::choose() { return kSceneFiles[indexFor(Random::randRaw())]; }

std::vector<std::string> SceneTable::names() {
  std::vector<std::string> names;
  for (const SceneEntry& entry : kSceneFiles) {
    std::string name = entry.file.c_str();
    name.resize(name.size() - 4);
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(name);
    }
  }
  return names;
}

const SceneEntry* SceneTable::find(const std::string& fileName) {
  for (const SceneEntry& entry : kSceneFiles) {
    if (fileName == entry.file.c_str()) {
      return &entry;
    }
  }
  return nullptr;
}

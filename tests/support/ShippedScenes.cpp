#include "support/ShippedScenes.h"

#include <fstream>

std::vector<std::string> ShippedScenes::names() {
  std::ifstream list(std::string(OSTREL_SCENE_SOURCE_DIR) + "/shipped.txt");
  std::vector<std::string> names;
  std::string line;
  while (std::getline(list, line)) {
    if (!line.empty() && line[0] != '#') {
      names.push_back(line);
    }
  }
  return names;
}

std::string ShippedScenes::compiledPath(const std::string& name) {
  return std::string(OSTREL_SCENE_DIR) + "/" + name + ".psf";
}

std::string ShippedScenes::sourcePath(const std::string& name) {
  return std::string(OSTREL_SCENE_SOURCE_DIR) + "/" + name + ".toml";
}

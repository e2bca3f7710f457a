#include "tools/LoadedScene.h"

#include <filesystem>
#include <stdexcept>

#include "core/ObjectRegistry.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "tools/TagText.h"

namespace fs = std::filesystem;

LoadedScene::LoadedScene(const std::string& path, [[maybe_unused]] int width, [[maybe_unused]] int height)
    :
#ifndef _WIN32
      context_(width, height),
#endif
      path_(fs::absolute(path).string()) {
  try {
    // A missing folder leaves the current directory alone; the load then reports the file missing.
    std::error_code ignored;
    fs::current_path(fs::path(path_).parent_path(), ignored);
    PsfObject* root = SceneLoader::instance().load(path_.c_str(), true);
    system_ = dynamic_cast<ParticleSystem*>(root);
    if (system_ == nullptr) {
      throw std::runtime_error(path + ": the root object is " + (root == nullptr ? "none" : tagText(root->tag())) +
                               ", not a particle system (PSYS)");
    }
  } catch (...) {
    // The objects read before the failure stay with the registry; release them here, while the
    // context their textures belong to is current.
    ObjectRegistry::instance().destroyAll();
    throw;
  }
}

LoadedScene::~LoadedScene() { ObjectRegistry::instance().destroyAll(); }

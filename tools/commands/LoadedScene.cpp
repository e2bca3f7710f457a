#include "tools/commands/LoadedScene.h"

#include <filesystem>

#include "core/ObjectRegistry.h"
#include "images/Image.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "tools/commands/FileError.h"
#include "tools/textformat/TagText.h"

namespace fs = std::filesystem;

namespace {

// The load opens one file besides the scene, its picture, which is the last object it reads and
// so the newest in the registry; these codes come from nothing else.
const Image* failedPicture(ErrorCode code, size_t registeredBefore) {
  const ObjectRegistry& registry = ObjectRegistry::instance();
  const bool pictureCode =
      code == ErrorCode::FileNotFound || code == ErrorCode::IllegalBmp || code == ErrorCode::IllegalTga;
  if (!pictureCode || registry.size() <= registeredBefore) {
    return nullptr;
  }
  return dynamic_cast<const Image*>(registry.objects().front());
}

FileError loadError(const std::string& path, const vtException& error, size_t registeredBefore) {
  const Image* picture = failedPicture(error.code, registeredBefore);
  if (picture == nullptr) {
    return FileError::scene(path, error);
  }
  const char* name = picture->fileName().c_str();
  const fs::path file = fs::path(path).parent_path() / (name != nullptr ? name : "");
  return FileError(file.string(), error, "the picture named by " + path + ", looked up in the scene's folder");
}

}  // namespace

LoadedScene::LoadedScene(const std::string& path, [[maybe_unused]] int width, [[maybe_unused]] int height)
    :
#ifndef _WIN32
      context_(width, height),
#endif
      path_(fs::absolute(path).string()) {
  const size_t registeredBefore = ObjectRegistry::instance().size();
  try {
    // A missing folder leaves the current directory alone; the load then reports the file missing.
    std::error_code ignored;
    fs::current_path(fs::path(path_).parent_path(), ignored);
    PsfObject* root = nullptr;
    try {
      root = SceneLoader::instance().load(path_.c_str(), true);
    } catch (const vtException& e) {
      throw loadError(path, e, registeredBefore);
    }
    system_ = dynamic_cast<ParticleSystem*>(root);
    if (system_ == nullptr) {
      throw FileError(path, "the root object is " + (root == nullptr ? "none" : tagText(root->tag())) +
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

#include "view/ScreensaverScene.h"

#include "core/vtException.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"

ParticleSystem* ScreensaverScene::load(const char* file) {
  PsfObject* root = SceneLoader::instance().load(file, true);
  ParticleSystem* scene = dynamic_cast<ParticleSystem*>(root);
  if (root != nullptr && scene == nullptr) {
    throw vtException(ErrorCode::IllegalParticleId);
  }
  return scene;
}

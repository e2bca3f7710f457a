#include "shell/ParticleScreensaver.h"

#include <ctime>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "core/vtException.h"
#include "scene/ParticleSystem.h"
#include "scene/SceneLoader.h"
#include "view/SceneTable.h"

ParticleScreensaver::ParticleScreensaver(HINSTANCE instance, HWND parent, RunMode mode)
    : Screensaver(instance, parent, mode), scene_(nullptr), view_(true, 0.25f) {
  // The style starts as an orbiting camera with a fade of 0.25, until the scene is chosen.
  Random::seed(static_cast<uint32_t>(std::time(nullptr)));
  SetWindowTextA(window(), "Ostrel Screensaver");

  SceneView::setUpState();

  const SceneEntry& entry = SceneTable::choose();
  view_ = SceneView(entry.cameraOrbits, entry.fadeAlpha);
  // The context is current: the scene's image makes its texture while it is read.
  PsfObject* root = SceneLoader::instance().load(entry.file, true);
  scene_ = dynamic_cast<ParticleSystem*>(root);
  if (root != nullptr && scene_ == nullptr) {
    // Any other stored class at the root is as unusable as an unknown tag there.
    throw vtException(ErrorCode::IllegalParticleId);
  }

  setViewport(width(), height());
}

ParticleScreensaver::~ParticleScreensaver() { ObjectRegistry::instance().destroyAll(); }

void ParticleScreensaver::setViewport(int32_t width, int32_t height) { SceneView::setViewport(width, height); }

bool ParticleScreensaver::frame() {
  view_.drawFrame(scene_);
  SwapBuffers(deviceContext());
  view_.advanceCamera();
  return pumpMessage();
}

#include "shell/ParticleScreensaver.h"

#include <ctime>

#include "core/ObjectRegistry.h"
#include "core/Random.h"
#include "view/SceneTable.h"
#include "view/ScreensaverScene.h"

ParticleScreensaver::ParticleScreensaver(HINSTANCE instance, HWND parent, RunMode mode)
    : Screensaver(instance, parent, mode), scene_(nullptr), view_(true, 0.25f) {
  // The style starts as an orbiting camera with a fade of 0.25, until the scene is chosen.
  Random::seed(static_cast<uint32_t>(std::time(nullptr)));
  SetWindowTextA(window(), "Ostrel Screensaver");

  SceneView::setUpState();

  const SceneEntry& entry = SceneTable::choose();
  view_ = SceneView(entry.cameraOrbits, entry.fadeAlpha);
  // The context is current: the scene's image makes its texture while it is read.
  scene_ = ScreensaverScene::load(entry.file.c_str());

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

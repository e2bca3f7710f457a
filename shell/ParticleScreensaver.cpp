#include "shell/ParticleScreensaver.h"

#include <ctime>

#include "core/ObjectRegistry.h"
#include "core/OpenGl.h"
#include "core/Random.h"
#include "core/vtException.h"
#include "objfile/SceneLoader.h"
#include "scene/ParticleSystem.h"
#include "shell/CameraOrbit.h"
#include "shell/SceneTable.h"

namespace {

// The style of the chosen scene and the camera's place on its orbit (radians).
float fadeAlpha = 0.25f;
bool cameraOrbits = true;
float cameraAngle = CameraOrbit::kStartAngle;

}  // namespace

ParticleScreensaver::ParticleScreensaver(HINSTANCE instance, HWND parent, RunMode mode)
    : Screensaver(instance, parent, mode), scene_(nullptr) {
  Random::seed(static_cast<uint32_t>(std::time(nullptr)));
  SetWindowTextA(window(), "Ostrel Screensaver");

  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DITHER);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glShadeModel(GL_SMOOTH);
  glDrawBuffer(GL_BACK);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

  const SceneEntry& entry = SceneTable::choose();
  cameraOrbits = entry.cameraOrbits;
  fadeAlpha = entry.fadeAlpha;
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

void ParticleScreensaver::setViewport(int32_t width, int32_t height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 10.0, 10000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The only colour clear of the run: from here on every frame fades the one before.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

bool ParticleScreensaver::frame() {
  // The fade quad, in a projection that maps it onto the whole view whatever the camera.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(1.0, -1.0, 1.0, -1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glBegin(GL_QUADS);
  glColor4f(0.0f, 0.0f, 0.0f, fadeAlpha);
  glVertex3f(-1.0f, -1.0f, 0.0f);
  glVertex3f(-1.0f, 1.0f, 0.0f);
  glVertex3f(1.0f, 1.0f, 0.0f);
  glVertex3f(1.0f, -1.0f, 0.0f);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);

  glLoadIdentity();
  const Vec3 eye = CameraOrbit::eye(cameraAngle);
  gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

  // Additive particles; the colour buffer keeps the faded trails, only depth starts afresh.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glClear(GL_DEPTH_BUFFER_BIT);

  if (scene_ != nullptr) {
    scene_->update();
    scene_->draw();
  }
  SwapBuffers(deviceContext());
  cameraAngle = CameraOrbit::advance(cameraAngle, cameraOrbits);
  return pumpMessage();
}

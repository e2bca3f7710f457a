#include "view/SceneView.h"

#include "core/OpenGl.h"
#include "scene/ParticleSystem.h"
#include "view/CameraOrbit.h"

SceneView::SceneView(bool cameraOrbits, float fadeAlpha)
    : cameraOrbits_(cameraOrbits), fadeAlpha_(fadeAlpha), cameraAngle_(CameraOrbit::kStartAngle) {}

void SceneView::setUpState() {
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DITHER);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glShadeModel(GL_SMOOTH);
  glDrawBuffer(GL_BACK);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void SceneView::setViewport(int32_t width, int32_t height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 10.0, 10000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // The only colour clear of the run: from here on every frame fades the one before.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void SceneView::drawFrame(ParticleSystem* scene) const {
  fade();

  glLoadIdentity();
  const Vec3 eye = CameraOrbit::eye(cameraAngle_);
  gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

  // Additive particles; the colour buffer keeps the faded trails, only depth starts afresh.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glClear(GL_DEPTH_BUFFER_BIT);

  if (scene != nullptr) {
    scene->update();
    scene->draw();
  }
}

void SceneView::advanceCamera() { cameraAngle_ = CameraOrbit::advance(cameraAngle_, cameraOrbits_); }

// A black quad over the whole view, in a projection that maps it there whatever the camera.
void SceneView::fade() const {
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
  glColor4f(0.0f, 0.0f, 0.0f, fadeAlpha_);
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
}

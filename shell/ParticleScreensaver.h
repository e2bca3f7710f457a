#pragma once
// The application object of the two drawing modes: one scene, drawn one simulation step per frame
// over the fading image of the frames before.

#include "shell/Screensaver.h"
#include "view/SceneView.h"

class ParticleSystem;

class ParticleScreensaver final : public Screensaver {
 public:
  // Sets the OpenGL state, chooses and loads a scene and sets the projection. Throws what the
  // window, the context and the scene's loading throw.
  ParticleScreensaver(HINSTANCE instance, HWND parent, RunMode mode);
  // Destroys every object read from the scene while the context is still current.
  ~ParticleScreensaver();

  // Draws one frame and handles at most one window message; false when the run is over.
  virtual bool frame();

  void setViewport(int32_t width, int32_t height);

 private:
  // None when the scene file's root tag is 0: the run then shows only the fading black screen.
  // Owned by the object registry.
  ParticleSystem* scene_;
  // The chosen scene's trail and camera style and the camera's place on its orbit.
  SceneView view_;
};

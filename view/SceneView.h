#pragma once
// The frame's drawing, apart from Windows: the OpenGL state of a run, the projection, and every
// frame's fade, camera and simulation step. The screensaver draws through it into its window and
// psftool render into an offscreen buffer, so both show the same frames.

#include <cstdint>

class ParticleSystem;

class SceneView {
 public:
  // fadeAlpha: how much of the previous frame each frame darkens away (1 leaves no trails).
  SceneView(bool cameraOrbits, float fadeAlpha);

  // The state every frame relies on: texturing, depth test, additive blending, a black clear.
  static void setUpState();
  // The viewport, a 45-degree perspective and the only colour clear of the run.
  static void setViewport(int32_t width, int32_t height);

  // One frame without the buffer swap: the fade quad, the camera on its orbit, additive blending
  // and a depth clear, then one simulation step and the particles. No scene draws the fade alone.
  // Leaves the matrix stacks as it found them and the matrix mode at modelview.
  void drawFrame(ParticleSystem* scene) const;
  // Turns an orbiting camera by one step; called once per frame after the swap.
  void advanceCamera();

  float cameraAngle() const { return cameraAngle_; }

 private:
  void fade() const;

  bool cameraOrbits_;
  float fadeAlpha_;
  float cameraAngle_;
};

#pragma once
// Where a frame's time goes, for psftool render --profile: the simulation step (the particle
// system's update), the processor work of the particles' draw (their walk: ageing, moving, colour,
// drawn position and size), and the rest (the fade, the camera, the OpenGL calls and the driver's
// work until the frames are finished).

#include <cstdint>
#include <string>

// What render draws: the scene file, the generator's state before the first frame, the frames,
// the picture's size and the camera's style.
struct FrameRun {
  std::string scene;
  uint32_t seed = 0;
  uint64_t frames = 0;
  int width = 640;
  int height = 480;
  bool orbit = true;
  float fade = 0.25f;
};

// Draws the frames as render does, timing each update on its own, then runs them again from the
// same seed without OpenGL, timing each walk (every walk meets the particles its frame drew), and
// prints the milliseconds a frame of each part with its share. Loads the scene twice in turn, so
// no other scene may be loaded meanwhile.
void printFrameProfile(const FrameRun& run);

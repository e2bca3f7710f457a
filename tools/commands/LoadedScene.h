#pragma once
// A scene loaded as the screensaver loads it, for the tools: the scene's folder becomes the
// current directory (the screensaver runs in the Windows directory, where scenes and their
// images lie), the file is read through the gzip stream, and its root must be a particle system.
// On Linux a headless GL context is made current first, because reading the image creates its
// texture; the Windows build of the tools has none.

#include <string>

#ifndef _WIN32
#include "tools/headless/EglContext.h"
#endif

class ParticleSystem;

class LoadedScene {
 public:
  // Throws FileError naming the scene, or the picture it names, for what the loader refuses and
  // when the root is not a particle system; std::runtime_error when no context can be made.
  // width and height size the headless context's buffer, for the tools that draw.
  explicit LoadedScene(const std::string& path, int width = 1, int height = 1);
  // Destroys every scene object while the context is still current.
  ~LoadedScene();
  LoadedScene(const LoadedScene&) = delete;
  LoadedScene& operator=(const LoadedScene&) = delete;

  ParticleSystem& system() const { return *system_; }
#ifndef _WIN32
  const EglContext& context() const { return context_; }
#endif
  // Absolute, as it was loaded.
  const std::string& path() const { return path_; }

 private:
#ifndef _WIN32
  EglContext context_;
#endif
  std::string path_;
  ParticleSystem* system_ = nullptr;
};

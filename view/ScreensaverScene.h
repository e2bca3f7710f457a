#pragma once
// A scene loaded as the screensavers load theirs, on Windows and on Linux alike.

class ParticleSystem;

struct ScreensaverScene {
  // Reads the file through the gzip stream (plain files too), its pictures by name from the
  // current directory, so the context must be current. None when the root tag is 0; any other
  // stored class at the root throws "Illegal Particle ID", as an unknown tag there does. Throws
  // what the loader throws. The objects belong to the object registry.
  static ParticleSystem* load(const char* file);
};

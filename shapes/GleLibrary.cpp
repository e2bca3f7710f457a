#include "shapes/GleLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <GL/gle.h>
#endif

namespace {

#ifdef _WIN32
// Exported under their C names. Casting through void (*)() keeps the function-type check quiet
// about GetProcAddress's generic pointer.
template <class Function>
Function lookUp(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
#endif

}  // namespace

const GleLibrary& GleLibrary::instance() {
  static const GleLibrary library;
  return library;
}

GleLibrary::GleLibrary() {
#ifdef _WIN32
  // Loaded once and kept for the life of the process.
  HMODULE module = LoadLibraryA("gle32.dll");
  if (module == nullptr) {
    module = LoadLibraryA("gle.dll");
  }
  if (module == nullptr) {
    return;
  }
  setJoinStyle_ = lookUp<SetJoinStyle>(module, "gleSetJoinStyle");
  polyCylinder_ = lookUp<PolyCylinder>(module, "glePolyCylinder");
#else
  static_assert(sizeof(gleDouble) == sizeof(double), "GLE must be built with double-precision points");
  setJoinStyle_ = &::gleSetJoinStyle;
  polyCylinder_ = &::glePolyCylinder;
#endif
}

void GleLibrary::setJoinStyle(int style) const {
  if (available()) {
    setJoinStyle_(style);
  }
}

void GleLibrary::polyCylinder(int count, double (*points)[3], float (*colors)[3], double radius) const {
  if (available()) {
    polyCylinder_(count, points, colors, radius);
  }
}

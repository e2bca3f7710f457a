// psftool check: loads a scene as the screensaver does and prints what a scene author needs to
// see: the particle limit, the emitter and its curves, the modifiers and shapes in order, the image.

#include <cstdio>
#include <string>

#include "images/Image.h"
#include "modifiers/Modifier.h"
#include "particles/Emitter.h"
#include "scene/ParticleSystem.h"
#include "shapes/Bouncer.h"
#include "tools/commands/Command.h"
#include "tools/commands/FileArguments.h"
#include "tools/commands/LoadedScene.h"
#include "tools/textformat/TagText.h"

namespace {

void line(const char* label, const std::string& text) { std::printf("%-16s %s\n", label, text.c_str()); }

std::string number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string vec(const Vec3& v) { return "(" + number(v.x) + ", " + number(v.y) + ", " + number(v.z) + ")"; }

std::string keyValue(float value) { return number(value); }

std::string keyValue(const Color4& c) {
  return "(" + number(c.r) + ", " + number(c.g) + ", " + number(c.b) + ", " + number(c.a) + ")";
}

const char* shapeName(int32_t shape) {
  switch (static_cast<EmitterShape>(shape)) {
    case EmitterShape::Point:
      return "Point";
    case EmitterShape::Line:
      return "Line";
    case EmitterShape::Parallelogram:
      return "Parallelogram";
    case EmitterShape::Disc:
      return "Disc";
    case EmitterShape::Box:
      return "Box";
    case EmitterShape::Ring:
      return "Ring";
  }
  return nullptr;
}

template <class Curve>
void printCurve(const char* label, const Curve& curve) {
  line(label, "resolution " + std::to_string(curve.resolution()) + ", " + std::to_string(curve.keys().size()) +
                  (curve.keys().size() == 1 ? " key" : " keys"));
  for (const typename Curve::Key& key : curve.keys()) {
    std::string text = keyValue(key.value);
    if (key.percent > 100) {
      text += "   (beyond 100%: never reached)";
    }
    line(("    " + std::to_string(key.percent) + "%").c_str(), text);
  }
}

void printEmitter(const ParticleSystem& system) {
  const Emitter* emitter = system.emitter();
  if (emitter == nullptr) {
    line("emitter", "none: no particle is made, and modifiers and shapes never run");
    return;
  }
  const char* name = shapeName(emitter->shape);
  std::string shape = name != nullptr ? std::string(name) + " (" + std::to_string(emitter->shape) + ")"
                                      : std::to_string(emitter->shape) + " (unknown: particles start at the origin)";
  const int32_t perUpdate = emitter->rate & 0xFFFF;
  std::string rate = "rate " + std::to_string(emitter->rate) + " per update";
  if (perUpdate != emitter->rate) {
    rate += " (only the low 16 bits count: " + std::to_string(perUpdate) + ")";
  }
  line("emitter", shape + ", " + rate);
  line("  origin", vec(emitter->origin));
  line("  axes", "A " + vec(emitter->axisA) + ", B " + vec(emitter->axisB) + ", radius " + number(emitter->radius));
  line("  velocity", vec(emitter->velocity) + ", spread " + number(emitter->spread) + ", speed " +
                         number(emitter->speed) + " +- " + number(emitter->speedVar));
  line("  orbit", "angle " + number(emitter->orbitAngle) + " +- " + number(emitter->orbitAngleVar) + " rad, radius " +
                      number(emitter->orbitRadius) + " +- " + number(emitter->orbitRadiusVar));
  line("  aux", vec(emitter->particleAux));
  line("  life", std::to_string(emitter->life) +
                     (emitter->life > 0 ? " steps" : " steps (particles are removed before they are drawn)"));
  if (emitter->colorCurve() != nullptr) {
    printCurve("  colour curve", *emitter->colorCurve());
  }
  if (emitter->sizeCurve() != nullptr) {
    printCurve("  size curve", *emitter->sizeCurve());
  }
}

template <class T>
void printList(const char* label, const PtrList<T>& list) {
  line(label, std::to_string(list.size()));
  int index = 1;
  for (const T* object : list) {
    line(("  " + std::to_string(index++)).c_str(), tagText(object->tag()));
  }
}

const char* imageKind(Tag tag) {
  if (tag == makeTag("IBMP")) {
    return "BMP";
  }
  if (tag == makeTag("ITGA")) {
    return "TGA";
  }
  return "image";
}

void printImage(const Image* image) {
  if (image == nullptr) {
    line("image", "none: particles are drawn untextured (texture 0)");
    return;
  }
  const char* name = image->fileName().c_str();
  line("image", std::string(imageKind(image->tag())) + " (" + tagText(image->tag()) + ") \"" +
                    (name != nullptr ? name : "") + "\", " + std::to_string(image->width()) + " x " +
                    std::to_string(image->height()));
}

}  // namespace

int runCheck(const std::vector<std::string>& args) {
  const LoadedScene scene(FileArguments::parse(args, false, false).input);
  const ParticleSystem& system = scene.system();
  line("scene", scene.path());
  line("particle limit", std::to_string(system.maxParticles()) +
                             (system.maxParticles() == 0 ? " (no particle is ever made)" : ""));
  printEmitter(system);
  printList("modifiers", system.modifiers());
  printList("shapes", system.shapes());
  printImage(system.image());
  return 0;
}

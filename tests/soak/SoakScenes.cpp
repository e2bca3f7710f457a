// Writes scenes for scene_soak that between them use every stored class, with the pictures they
// name: `soak_scenes DIR`. The shipped scenes are soaked the same way once they exist
// (scripts/soak.sh).

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Bytes.h"
#include "support/ImageBytes.h"
#include "support/SceneBytes.h"

namespace fs = std::filesystem;

namespace {

void write(const fs::path& path, const std::vector<uint8_t>& bytes) { writeBytes(path.string(), bytes); }

}  // namespace

int main(int argc, char** argv) {
  // An option here is a request for help, never a folder to write into.
  if (argc != 2 || argv[1][0] == '-') {
    std::fputs("usage: soak_scenes DIR\n", stderr);
    return 1;
  }
  const fs::path dir = argv[1];
  fs::create_directories(dir);
  BmpFile bitmap;
  bitmap.width = 16;
  bitmap.height = 16;
  bitmap.pixels = patternBytes(16 * 16 * 3);
  write(dir / "soak.bmp", bitmap.bytes());
  write(dir / "soak.tga", tgaFile(16, 16, 32, patternBytes(16 * 16 * 4)));

  // A fountain of 2,000 particles through the five shapes, drawn with the bitmap.
  SystemBody shapes;
  shapes.limit = 2000;
  shapes.emitter = fountainEmitter(8, 20, 100);
  shapes.shapeCount = kShapeClassCount;
  shapes.shapes = everyShape();
  shapes.image = imageChild("IBMP", "soak.bmp");
  write(dir / "soak-shapes.psf", sceneFile(shapes.bytes()).data());

  // Every emission shape in turn would need a scene each; the ring, at the particle limit, with
  // the Targa picture.
  SystemBody ring;
  ring.limit = 1500;
  ring.emitter = fountainEmitter(50, 40, 60);
  ring.image = imageChild("ITGA", "soak.tga");
  write(dir / "soak-ring.psf", sceneFile(ring.bytes()).data());

  // The eleven modifiers together. Pairwise gravity costs the square of the live count per step,
  // so this one keeps 250 particles.
  SystemBody modifiers;
  modifiers.limit = 250;
  modifiers.emitter = fountainEmitter(22, 5, 50);
  modifiers.modifierCount = kModifierClassCount;
  modifiers.modifiers = everyModifier();
  modifiers.image = imageChild("ITGA", "soak.tga");
  write(dir / "soak-modifiers.psf", sceneFile(modifiers.bytes()).data());
  return 0;
}

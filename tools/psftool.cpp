// psftool: checks, simulates, compiles and renders scene files.

#include <cstdio>
#include <cstring>
#include <exception>

#include "core/vtException.h"
#include "tools/Command.h"

namespace {

const Command kCommands[] = {
    {"check", "load a scene as the screensaver does and summarise it",
     "usage: psftool check SCENE.psf\n"
     "Loads the scene (plain or gzip) with image names resolved against the scene's folder and\n"
     "prints its particle limit, emitter, curves, modifiers, shapes and image.\n",
     runCheck},
    {"simulate", "run a scene's steps headless and dump its particles as CSV",
     "usage: psftool simulate SCENE.psf --seed S --steps N [--dump FILE] [--dump-every K]\n"
     "Loads the scene as check does, sets the generator's state to S and runs N steps; one step\n"
     "is one frame's update and particle walk, without drawing.\n"
     "  --dump FILE      write the particles as CSV (- for standard output): a header line, then\n"
     "                   one row per live particle in list order after every K-th step\n"
     "  --dump-every K   dump after steps K, 2K, ... (default: only after step N)\n"
     "Columns: step,index,px,py,pz,vx,vy,vz,ox,oy,oz,orbitRadius,orbitAngle,lifeLeft,lifeTotal,\n"
     "r,g,b,a,size: p the base position, v the velocity, o the drawn position, r g b a the colour\n"
     "and size the half-size, as computed in that step's walk; floats as %.9g. An error during a\n"
     "step keeps the rows of the steps before it and exits 1.\n",
     runSimulate},
    {"compile", "turn a text scene (TOML) into a scene file",
     "usage: psftool compile SCENE.toml [-o OUT.psf] [--gzip]\n"
     "Reads the text scene format (see scenes/README.md) and writes the PSF bytes, by default to\n"
     "SCENE.psf beside the source; --gzip compresses the file as the screensaver can read it.\n"
     "Mistakes are reported as FILE:LINE:COLUMN: FIELD: what is wrong.\n",
     runCompile},
    {"decompile", "turn a scene file into the text scene format",
     "usage: psftool decompile SCENE.psf [-o OUT.toml]\n"
     "Reads a scene file (plain or gzip) and prints every field of every object as text, to\n"
     "standard output or to OUT.toml; compiling that text gives the same bytes again.\n",
     runDecompile},
};

void printUsage(std::FILE* out) {
  std::fputs("usage: psftool COMMAND [ARGS]   (psftool COMMAND --help for details)\n\ncommands:\n", out);
  for (const Command& command : kCommands) {
    std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    printUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 1 : 0;
  }
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) != 0) {
      continue;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const std::string& arg : args) {
      if (arg == "--help" || arg == "-h") {
        std::fputs(command.usage, stdout);
        return 0;
      }
    }
    try {
      return command.run(args);
    } catch (const vtException& e) {
      std::fprintf(stderr, "%s\n", e.text);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
  }
  std::fprintf(stderr, "psftool: unknown command '%s'\n", argv[1]);
  printUsage(stderr);
  return 1;
}

// psftool: checks, simulates, compiles and renders scene files.

#include <cstdio>
#include <cstring>
#include <exception>

#include "core/vtException.h"
#include "tools/commands/Command.h"
#include "tools/commands/UsageError.h"

namespace {

const Command kCommands[] = {
    {"check", "load a scene as the screensaver does and summarise it", "usage: psftool check SCENE.psf\n",
     "Loads the scene (plain or gzip) with image names resolved against the scene's folder and\n"
     "prints its particle limit, emitter, curves, modifiers, shapes and image.\n",
     runCheck},
    {"simulate", "run a scene's steps headless and dump its particles as CSV",
     "usage: psftool simulate SCENE.psf --seed S --steps N [--dump FILE] [--dump-every K] [--summary]\n",
     "Loads the scene as check does, sets the generator's state to S and runs N steps; one step\n"
     "is one frame's update and particle walk, without drawing.\n"
     "  --dump FILE      write the particles as CSV (- for standard output): a header line, then\n"
     "                   one row per live particle in list order after every K-th step\n"
     "  --dump-every K   dump after steps K, 2K, ... (default: only after step N)\n"
     "  --summary        dump one row per dump step instead, to standard output without --dump:\n"
     "                   step,live,oxMin,oxMax,oyMin,oyMax,ozMin,ozMax,aMean,sizeMean (the live\n"
     "                   count, the extent of the drawn positions, the mean alpha and half-size;\n"
     "                   empty fields when no particle lives)\n"
     "Columns: step,index,px,py,pz,vx,vy,vz,ox,oy,oz,orbitRadius,orbitAngle,lifeLeft,lifeTotal,\n"
     "r,g,b,a,size: p the base position, v the velocity, o the drawn position, r g b a the colour\n"
     "and size the half-size, as computed in that step's walk; floats as %.9g. An error during a\n"
     "step keeps the rows of the steps before it and exits 1. On a terminal a line on standard\n"
     "error counts the steps.\n",
     runSimulate},
    {"compile", "turn a text scene (TOML) into a scene file",
     "usage: psftool compile SCENE.toml [-o OUT.psf] [--gzip]\n",
     "Reads the text scene format (see scenes/README.md) and writes the PSF bytes, by default to\n"
     "SCENE.psf beside the source; --gzip compresses the file as the screensaver can read it.\n"
     "Says what it wrote, and warns when the picture the scene names is not beside the output,\n"
     "where the screensaver looks for it. The output may not be the source.\n"
     "Mistakes are reported as FILE:LINE:COLUMN: FIELD: what is wrong.\n",
     runCompile},
    {"decompile", "turn a scene file into the text scene format", "usage: psftool decompile SCENE.psf [-o OUT.toml]\n",
     "Reads a scene file (plain or gzip) and prints every field of every object as text, to\n"
     "standard output or to OUT.toml (which may not be the scene file); compiling that text gives\n"
     "the same bytes again.\n",
     runDecompile},
#ifndef _WIN32
    {"render", "draw a scene's frames offscreen as the screensaver does and save them as PNG",
     "usage: psftool render SCENE.psf --seed S --frames N [--size WxH] [--out FILE.png]\n"
     "                      [--frames-dir DIR --every K] [--orbit|--no-orbit] [--fade A] [--stats]\n"
     "                      [--profile]\n",
     "Loads the scene as check does, sets the generator's state to S and draws N frames exactly\n"
     "as the screensaver does (default 640x480, each side at most 4096): the fade quad, the\n"
     "camera, one simulation step and the particles per frame. --out saves the last frame;\n"
     "--frames-dir saves every K-th frame as frame-NNNNNN.png. The camera and fade are the\n"
     "screensaver's for the scene names of its table (tube.psf, fountain.psf, ...), else an\n"
     "orbiting camera and a fade of 0.25; --orbit, --no-orbit and --fade (0 to 1: how much of\n"
     "the last frame each frame darkens away) override them. Prints the frames per second of\n"
     "the drawing; on a terminal a line on standard error counts the frames.\n"
     "  --stats     also print, for every frame saved, the share of lit pixels (grey, the\n"
     "              mean of R, G and B, above 6%), the mean grey and the mean HSV saturation\n"
     "              of the lit pixels\n"
     "  --profile   save nothing; print where a frame's time goes: the simulation step, the\n"
     "              processor work of the particles' draw and the rest (OpenGL and its driver)\n",
     runRender},
#endif
};

void printUsage(std::FILE* out) {
  std::fputs(
      "usage: psftool COMMAND [ARGS]   (psftool help COMMAND, or psftool COMMAND --help, for details)\n"
      "       psftool --version\n\ncommands:\n",
      out);
  for (const Command& command : kCommands) {
    std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
  }
}

void printHelp(const Command& command) {
  std::fputs(command.synopsis, stdout);
  std::fputs(command.details, stdout);
}

const Command* find(const char* name) {
  for (const Command& command : kCommands) {
    if (std::strcmp(name, command.name) == 0) {
      return &command;
    }
  }
  return nullptr;
}

int unknownCommand(const char* name) {
  std::fprintf(stderr, "psftool: unknown command '%s'\n", name);
  printUsage(stderr);
  return 1;
}

int run(const Command& command, const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      printHelp(command);
      return 0;
    }
  }
  try {
    return command.run(args);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "psftool %s: %s\n", command.name, e.what());
    std::fputs(command.synopsis, stderr);
  } catch (const vtException& e) {
    std::fprintf(stderr, "%s\n", e.text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("psftool: no command given\n", stderr);
    printUsage(stderr);
    return 1;
  }
  const char* first = argv[1];
  if (std::strcmp(first, "--version") == 0) {
    std::puts("psftool " OSTREL_VERSION);
    return 0;
  }
  if (std::strcmp(first, "help") == 0 || std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
    if (argc < 3) {
      printUsage(stdout);
      return 0;
    }
    const Command* command = find(argv[2]);
    if (command == nullptr) {
      return unknownCommand(argv[2]);
    }
    printHelp(*command);
    return 0;
  }
  const Command* command = find(first);
  if (command == nullptr) {
    return unknownCommand(first);
  }
  return run(*command, std::vector<std::string>(argv + 2, argv + argc));
}

// Writes every particle sprite into the folder given, beside the compiled scenes.

#include <cstdio>
#include <string>

#include "scenes/textures/Sprites.h"

int main(int argc, char** argv) {
  // An option here is a request for help, never a folder to write into.
  if (argc != 2 || argv[1][0] == '-') {
    std::fputs("usage: texture_generator OUTPUT_FOLDER\n", stderr);
    return 1;
  }
  for (const Sprite& sprite : sprites()) {
    const std::string name = std::string(argv[1]) + "/" + sprite.fileName;
    const std::vector<uint8_t> bytes = sprite.make();
    std::FILE* file = std::fopen(name.c_str(), "wb");
    const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
      std::fprintf(stderr, "%s: Write Failed\n", name.c_str());
      return 1;
    }
  }
  return 0;
}

// Build-time writer of the Linux screensaver's files that name its scenes: XScreenSaver's settings
// file, and the manual page with its scene list filled in from the scene table.
//   hack_files SETTINGS.xml MANUAL.in MANUAL

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/HackSettings.h"

namespace {

const char kSceneListMark[] = "@SCENES@";

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: hack_files SETTINGS.xml MANUAL.in MANUAL\n", stderr);
    return 1;
  }
  std::ifstream in(argv[2], std::ios::binary);
  std::string manual((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t mark = manual.find(kSceneListMark);
  if (!in.good() && !in.eof()) {
    std::fprintf(stderr, "hack_files: cannot read %s\n", argv[2]);
    return 1;
  }
  if (mark == std::string::npos) {
    std::fprintf(stderr, "hack_files: %s has no %s\n", argv[2], kSceneListMark);
    return 1;
  }
  manual.replace(mark, sizeof kSceneListMark - 1, HackSettings::manualSceneList());
  if (!writeFile(argv[1], HackSettings::settingsXml()) || !writeFile(argv[3], manual)) {
    std::fputs("hack_files: cannot write the output\n", stderr);
    return 1;
  }
  return 0;
}

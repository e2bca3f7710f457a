#include <cstdio>

#include "objfile/SceneLoader.h"
#include "tools/Command.h"

namespace {

std::string tagName(Tag tag) {
  std::string name(4, ' ');
  for (int i = 0; i < 4; ++i) {
    name[static_cast<size_t>(i)] = static_cast<char>(tag >> (24 - 8 * i));
  }
  return name;
}

}  // namespace

int runCheck(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fputs("usage: psftool check SCENE.psf\n", stderr);
    return 1;
  }
  PsfObject* root = SceneLoader::instance().load(args[0].c_str(), true);
  if (root == nullptr) {
    std::printf("%s: no scene (root tag 0)\n", args[0].c_str());
  } else {
    std::printf("%s: root %s\n", args[0].c_str(), tagName(root->tag()).c_str());
  }
  return 0;
}

#include "shell/ScenesFolder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// Both relative to the program's folder, from the build's install layout and its binary tree.
#ifndef OSTREL_INSTALLED_SCENES
#error "OSTREL_INSTALLED_SCENES: the installed scenes' folder, relative to the installed program's"
#endif
#ifndef OSTREL_BUILT_SCENES
#error "OSTREL_BUILT_SCENES: the built scenes' folder, relative to the built program's"
#endif

std::string ScenesFolder::defaultFor(const std::string& executable) {
  const fs::path folder = fs::path(executable).parent_path();
  const fs::path installed = (folder / OSTREL_INSTALLED_SCENES).lexically_normal();
  const fs::path built = (folder / OSTREL_BUILT_SCENES).lexically_normal();
  std::error_code ignored;
  if (!fs::is_directory(installed, ignored) && fs::is_directory(built, ignored)) {
    return built.string();
  }
  return installed.string();
}

std::string ScenesFolder::defaultForThisProgram() {
  std::error_code ignored;
  return defaultFor(fs::read_symlink("/proc/self/exe", ignored).string());
}

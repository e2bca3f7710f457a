#pragma once
// The scenes the project ships, as scenes/shipped.txt lists them, and where their files are.

#include <string>
#include <vector>

struct ShippedScenes {
  // The names in listed order: every line that is neither empty nor a comment, as the build
  // reads the list (which refuses a name that is not plain, so a line is taken as it stands).
  static std::vector<std::string> names();
  // NAME.psf as the native build compiled it, beside the pictures it names.
  static std::string compiledPath(const std::string& name);
  // NAME.toml, its source.
  static std::string sourcePath(const std::string& name);
};

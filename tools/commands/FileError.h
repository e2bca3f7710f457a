#pragma once
// A failure tied to one file a tool reads or writes, told as "FILE: message (hint)": the file
// first, so that an author sees which one of scene, source, picture and output is meant, then the
// system's own message, and where it helps what to do about it.

#include <stdexcept>
#include <string>

#include "core/vtException.h"

class FileError : public std::runtime_error {
 public:
  // An empty hint adds nothing.
  FileError(const std::string& file, const std::string& message, const std::string& hint = "");
  FileError(const std::string& file, const vtException& error, const std::string& hint = "");

  // A scene file that could not be read, with a hint for the mistakes authors make most: naming
  // the text source instead of the scene file, or the scene file before it has been compiled.
  static FileError scene(const std::string& path, const vtException& error);
};

#include "tools/commands/FileError.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string told(const std::string& file, const std::string& message, const std::string& hint) {
  return file + ": " + message + (hint.empty() ? "" : " (" + hint + ")");
}

}  // namespace

FileError::FileError(const std::string& file, const std::string& message, const std::string& hint)
    : std::runtime_error(told(file, message, hint)) {}

FileError::FileError(const std::string& file, const vtException& error, const std::string& hint)
    : FileError(file, std::string(error.text), hint) {}

FileError FileError::scene(const std::string& path, const vtException& error) {
  const fs::path source = fs::path(path).replace_extension(".toml");
  std::string hint;
  if (error.code == ErrorCode::PsfFileLoadFailed && fs::path(path).extension() == ".toml") {
    hint = "a scene source, not a scene file: psftool compile makes one of it";
  } else if (error.code == ErrorCode::FileNotFound && source != fs::path(path) && fs::is_regular_file(source)) {
    hint = "its source " + source.string() + " is there: compile it first";
  }
  return FileError(path, error, hint);
}

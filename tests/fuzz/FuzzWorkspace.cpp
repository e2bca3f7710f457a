#include "FuzzWorkspace.h"

#include <signal.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "scenes/textures/Sprites.h"
#include "support/Bytes.h"
#include "support/ImageBytes.h"

namespace fs = std::filesystem;

namespace {

bool confined = false;

}  // namespace

// Every fopen of the programs that link this file passes here (the link wraps fopen). Only
// reading is confined: libFuzzer writes its crash, timeout and out-of-memory reports from inside
// a run, to the folder it was given.
extern "C" std::FILE* __real_fopen(const char* name, const char* mode);
extern "C" std::FILE* __wrap_fopen(const char* name, const char* mode) {
  const bool reading = std::strchr(mode, 'r') != nullptr;
  if (confined && reading && (std::strchr(name, '/') != nullptr || std::strchr(name, '\\') != nullptr)) {
    errno = ENOENT;
    return nullptr;
  }
  return __real_fopen(name, mode);
}

FuzzWorkspace& FuzzWorkspace::instance() {
  static FuzzWorkspace workspace;
  return workspace;
}

FuzzWorkspace::FuzzWorkspace() {
  // Memory-backed where the system has it: every input is written as a file.
  const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  // A run that ended on a finding had no chance to remove its folder: remove those of processes
  // that are gone.
  const std::string prefix = "ostrel-fuzz-";
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(base, ignored)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && kill(std::atoi(name.c_str() + prefix.size()), 0) != 0 && errno == ESRCH) {
      fs::remove_all(entry.path(), ignored);
    }
  }
  folder_ = (base / (prefix + std::to_string(getpid()))).string();
  fs::remove_all(folder_);
  fs::create_directories(folder_);
  fs::current_path(folder_);
  writeBytes(kBitmapName, twoByTwoBitmap());
  writeBytes(kTargaName, twoByTwoTarga());
  // The shipped scenes' pictures, so that those seeds load whole.
  for (const Sprite& sprite : sprites()) {
    writeBytes(sprite.fileName, sprite.make());
  }
}

FuzzWorkspace::~FuzzWorkspace() {
  std::error_code ignored;
  fs::current_path(fs::temp_directory_path(), ignored);
  fs::remove_all(folder_, ignored);
}

void FuzzWorkspace::writeFile(const char* name, const uint8_t* data, size_t size) const {
  writeBytes(name, std::vector<uint8_t>(data, data + size));
}

void FuzzWorkspace::writeGzFile(const char* name, const uint8_t* data, size_t size) const {
  gzFile file = gzopen(name, "wb");
  if (file == nullptr || (size > 0 && gzwrite(file, data, static_cast<unsigned>(size)) != static_cast<int>(size))) {
    throw std::runtime_error(std::string("fuzz workspace: cannot write ") + name);
  }
  gzclose(file);
}

FuzzWorkspace::Confined::Confined() { confined = true; }

FuzzWorkspace::Confined::~Confined() { confined = false; }

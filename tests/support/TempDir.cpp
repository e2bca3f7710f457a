#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TempDir::TempDir() {
  const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
  // The process id keeps concurrent runs of the same test (native and sanitizer builds) apart.
  std::string name = "ostrel-" + std::to_string(getpid());
  if (info != nullptr) {
    name += std::string("-") + info->test_suite_name() + "-" + info->name();
  }
  for (char& c : name) {
    if (c == '/') {
      c = '_';
    }
  }
  fs::path root = fs::temp_directory_path() / name;
  fs::remove_all(root);
  fs::create_directories(root);
  root_ = root.string();
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string TempDir::path(const std::string& name) const { return (fs::path(root_) / name).string(); }

std::string TempDir::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string full = path(name);
  std::ofstream out(full, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return full;
}

std::string TempDir::writeGz(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string full = path(name);
  gzFile file = gzopen(full.c_str(), "wb");
  if (!bytes.empty()) {
    gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size()));
  }
  gzclose(file);
  return full;
}

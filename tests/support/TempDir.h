#pragma once
// A fresh folder per test, removed with everything in it when the test ends.

#include <cstdint>
#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Full path of a file in the folder.
  std::string path(const std::string& name) const;
  // Writes the bytes as they stand and returns the full path.
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  // Writes the bytes gzip-compressed and returns the full path.
  std::string writeGz(const std::string& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::string root_;
};

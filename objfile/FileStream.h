#pragma once
// A stream over a plain file through the C runtime's buffered file functions.

#include <cstdio>

#include "objfile/Stream.h"

class FileStream : public Stream {
 public:
  // Takes ownership of an open handle.
  explicit FileStream(std::FILE* file) : file_(file) {}
  ~FileStream() override;

  // Succeeds only when the whole count arrives, and returns 1; a count of 0 fails as well.
  int read(void* buffer, int count) override;
  int write(const void* buffer, int count) override;
  int seek(int32_t offset, SeekOrigin origin) override;
  int tell() override;

 private:
  std::FILE* file_;
};

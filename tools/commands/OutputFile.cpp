#include "tools/commands/OutputFile.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/commands/FileError.h"

void writeOutputFile(const std::string& name, const void* data, std::size_t size, bool gzip) {
  errno = 0;
  bool written = false;
  // The reason of the first call that failed: closing after a failed write may set another.
  int reason = 0;
  if (gzip) {
    gzFile file = gzopen(name.c_str(), "wb9");
    if (file != nullptr) {
      written = size == 0 || gzwrite(file, data, static_cast<unsigned>(size)) == static_cast<int>(size);
      reason = written ? 0 : errno;
      written = gzclose(file) == Z_OK && written;
    }
  } else {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file != nullptr) {
      written = std::fwrite(data, 1, size, file) == size;
      reason = written ? 0 : errno;
      written = std::fclose(file) == 0 && written;
    }
  }
  if (!written) {
    reason = reason != 0 ? reason : errno;
    throw FileError(name, vtException(ErrorCode::WriteFailed), reason != 0 ? std::strerror(reason) : "");
  }
}

void refuseToOverwriteInput(const std::string& input, const std::string& output) {
  std::error_code unknown;
  if (std::filesystem::equivalent(input, output, unknown)) {
    throw FileError(output, "the output is the input file and would overwrite it", "name another with -o");
  }
}

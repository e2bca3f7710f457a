#include "tools/OutputFile.h"

#include <zlib.h>

#include <cstdio>

#include "core/vtException.h"

void writeOutputFile(const std::string& name, const void* data, std::size_t size, bool gzip) {
  bool written = false;
  bool closed = false;
  if (gzip) {
    gzFile file = gzopen(name.c_str(), "wb9");
    if (file != nullptr) {
      written = size == 0 || gzwrite(file, data, static_cast<unsigned>(size)) == static_cast<int>(size);
      closed = gzclose(file) == Z_OK;
    }
  } else {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file != nullptr) {
      written = std::fwrite(data, 1, size, file) == size;
      closed = std::fclose(file) == 0;
    }
  }
  if (!written || !closed) {
    throw vtException(ErrorCode::WriteFailed);
  }
}

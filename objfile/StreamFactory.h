#pragma once
// Opens scene files for reading, plain or gzip-compressed.

#include <memory>

#include "core/String.h"
#include "objfile/Stream.h"

class StreamFactory {
 public:
  static StreamFactory& instance();

  // Both throw "File Not Found" when the file cannot be opened, and "Not Enough Memory" when the
  // stream object cannot be allocated (the handle is closed again first).
  std::unique_ptr<Stream> openFile(String name) const;
  // Reads uncompressed files as they stand, so it serves for every scene file.
  std::unique_ptr<Stream> openGzFile(String name) const;

 private:
  StreamFactory() = default;
};

#include "objfile/StreamFactory.h"

#include <new>

#include "core/vtException.h"
#include "objfile/FileStream.h"
#include "objfile/GzStream.h"

StreamFactory& StreamFactory::instance() {
  static StreamFactory factory;
  return factory;
}

std::unique_ptr<Stream> StreamFactory::openFile(String name) const {
  std::FILE* file = name.c_str() == nullptr ? nullptr : std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    throw vtException(ErrorCode::FileNotFound);
  }
  auto* stream = new (std::nothrow) FileStream(file);
  if (stream == nullptr) {
    std::fclose(file);
    throw vtException(ErrorCode::NotEnoughMemory);
  }
  return std::unique_ptr<Stream>(stream);
}

// "h" asks for zlib's Huffman-only strategy, which only matters when writing.
std::unique_ptr<Stream> StreamFactory::openGzFile(String name) const {
  gzFile file = name.c_str() == nullptr ? nullptr : gzopen(name.c_str(), "rbh");
  if (file == nullptr) {
    throw vtException(ErrorCode::FileNotFound);
  }
  auto* stream = new (std::nothrow) GzStream(file);
  if (stream == nullptr) {
    gzclose(file);
    throw vtException(ErrorCode::NotEnoughMemory);
  }
  return std::unique_ptr<Stream>(stream);
}

#pragma once
// A stream over a gzip-compressed file through zlib; plain files pass through unchanged.

#include <zlib.h>

#include "objfile/Stream.h"

class GzStream : public Stream {
 public:
  // Takes ownership of an open handle.
  explicit GzStream(gzFile file) : file_(file) {}
  ~GzStream() override;

  // Returns the bytes read; a short read at the end of the data counts as success, and the read
  // after it fails. A 0-byte read fails.
  int read(void* buffer, int count) override;
  // Only a result of 0 is a failure; zlib's negative refusal on a read handle is returned as is.
  int write(const void* buffer, int count) override;
  // Cannot seek from the end, so size() fails with "Seek Failed".
  int seek(int32_t offset, SeekOrigin origin) override;
  int tell() override;
  void readExactly(void* buffer, int count) override;

 private:
  gzFile file_;
};

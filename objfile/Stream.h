#pragma once
// The byte stream every stored object reads and writes its fields through. It moves raw bytes
// only: a 4-byte field is read straight into its in-memory image (little-endian).

#include <cstdint>

// Not the numbering of the C runtime (there 1 is the current position and 2 the end).
enum SeekOrigin : int32_t {
  SeekBegin = 0,
  SeekEnd = 1,
  SeekCurrent = 2,
};

class Stream {
 public:
  Stream() = default;
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;
  virtual ~Stream() = default;

  // Each implementation decides what counts as success; failures throw vtException.
  virtual int read(void* buffer, int count) = 0;
  virtual int write(const void* buffer, int count) = 0;
  virtual int seek(int32_t offset, SeekOrigin origin) = 0;
  virtual int tell() = 0;
  // Reads all count bytes or throws "Read Failed". Stored fields are read this way, so a file that
  // ends inside a field fails even where read() accepts a short count.
  virtual void readExactly(void* buffer, int count) { read(buffer, count); }
  // Seeks to the end and back, so it fails on streams that cannot seek from the end.
  int size();

 protected:
  // The C runtime's whence (SEEK_SET, SEEK_END, SEEK_CUR) for an origin; "Seek Failed" for a value
  // that is no origin.
  static int whenceOf(SeekOrigin origin);
};

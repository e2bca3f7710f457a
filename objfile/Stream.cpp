#include "objfile/Stream.h"

int Stream::size() {
  const int position = tell();
  seek(0, SeekEnd);
  const int end = tell();
  seek(position, SeekBegin);
  return end;
}

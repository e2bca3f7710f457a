#include "objfile/Stream.h"

#include <cstdio>

#include "core/vtException.h"

int Stream::size() {
  const int position = tell();
  seek(0, SeekEnd);
  const int end = tell();
  seek(position, SeekBegin);
  return end;
}

int Stream::whenceOf(SeekOrigin origin) {
  switch (origin) {
    case SeekBegin:
      return SEEK_SET;
    case SeekEnd:
      return SEEK_END;
    case SeekCurrent:
      return SEEK_CUR;
  }
  throw vtException(ErrorCode::SeekFailed);
}

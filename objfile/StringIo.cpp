#include "objfile/StringIo.h"

#include "core/vtException.h"

void writeTo(Stream& stream, const String& string) {
  if (string.c_str() == nullptr) {
    const char nul = '\0';
    stream.write(&nul, 1);
  } else {
    stream.write(string.c_str(), static_cast<int>(string.length() + 1));
  }
}

void readFrom(Stream& stream, String& string) {
  string.reserve(0);
  for (;;) {
    char c = '\0';
    stream.readExactly(&c, 1);
    if (c == '\0') {
      return;
    }
    if (string.length() == kMaxStoredStringLength) {
      throw vtException(ErrorCode::ReadFailed);
    }
    string.append(c);
  }
}

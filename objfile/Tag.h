#pragma once
// A class tag: four ASCII characters, the first in the most significant byte. Stored
// little-endian, so a file shows the characters reversed (PSHD is the bytes 44 48 53 50).

#include <cstdint>

using Tag = uint32_t;

constexpr Tag makeTag(const char (&name)[5]) {
  return (static_cast<Tag>(static_cast<uint8_t>(name[0])) << 24) |
         (static_cast<Tag>(static_cast<uint8_t>(name[1])) << 16) |
         (static_cast<Tag>(static_cast<uint8_t>(name[2])) << 8) | static_cast<Tag>(static_cast<uint8_t>(name[3]));
}

// The file tag that opens every scene file.
constexpr Tag kFileTag = makeTag("PSHD");

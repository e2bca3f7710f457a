#pragma once
// A tag as a scene author writes it: its four characters in reading order.

#include <string>

#include "objfile/Tag.h"

inline std::string tagText(Tag tag) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) {
    text[static_cast<size_t>(i)] = static_cast<char>(tag >> (24 - 8 * i));
  }
  return text;
}

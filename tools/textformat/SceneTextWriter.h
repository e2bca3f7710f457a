#pragma once
// Values to the text scene format (TOML), every field written, in file order, so that compiling
// the text gives the same bytes.

#include <cstdint>
#include <string>

#include "tools/textformat/SceneValue.h"

class SceneTextWriter {
 public:
  static std::string format(const ObjectValue& root);

  // The shortest decimal that reads back (as a double rounded to single precision) to exactly
  // these bits, with ".0" where it would look like an integer; nan, inf, -inf as TOML spells
  // them (TOML's nan is 0x7fc00000); any other NaN as its bit pattern in a string, "0xffc00000".
  static std::string formatFloat(uint32_t bits);
};

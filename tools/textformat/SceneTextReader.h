#pragma once
// The text scene format (TOML) to values, by the schema. Every mistake is reported as
// "FILE:LINE:COLUMN: FIELD: what is wrong"; nothing unknown is dropped silently.

#include <stdexcept>
#include <string>

#include "tools/textformat/SceneValue.h"

class SceneTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SceneTextReader {
 public:
  // sourceName only labels the messages.
  static ObjectValue parse(const std::string& text, const std::string& sourceName);
};

#include "tools/OptionValues.h"

#include <cmath>
#include <stdexcept>

uint64_t parseWholeNumber(const std::string& command, const std::string& option, const std::string& text,
                          uint64_t highest) {
  size_t used = 0;
  unsigned long long value = 0;
  try {
    value = std::stoull(text, &used, 10);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || text[0] == '-' || text[0] == '+' || value > highest) {
    throw std::runtime_error("psftool " + command + ": " + option + " needs a whole number from 0 to " +
                             std::to_string(highest) + ", not '" + text + "'");
  }
  return value;
}

float parseDecimal(const std::string& command, const std::string& option, const std::string& text) {
  size_t used = 0;
  float value = 0.0f;
  try {
    value = std::stof(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || !std::isfinite(value)) {
    throw std::runtime_error("psftool " + command + ": " + option + " needs a number, not '" + text + "'");
  }
  return value;
}

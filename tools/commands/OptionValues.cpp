#include "tools/commands/OptionValues.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "tools/commands/UsageError.h"

namespace {

// A bound as an author writes it: 0, 1, 0.25.
std::string asWritten(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

}  // namespace

uint64_t parseWholeNumber(const std::string& command, const std::string& option, const std::string& text,
                          uint64_t highest, uint64_t lowest) {
  size_t used = 0;
  unsigned long long value = 0;
  try {
    value = std::stoull(text, &used, 10);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || text[0] == '-' || text[0] == '+' || value < lowest || value > highest) {
    throw std::runtime_error("psftool " + command + ": " + option + " needs a whole number from " +
                             std::to_string(lowest) + " to " + std::to_string(highest) + ", not '" + text + "'");
  }
  return value;
}

float parseDecimal(const std::string& command, const std::string& option, const std::string& text, float lowest,
                   float highest) {
  size_t used = 0;
  float value = 0.0f;
  try {
    value = std::stof(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (text.empty() || used != text.size() || !std::isfinite(value) || value < lowest || value > highest) {
    throw std::runtime_error("psftool " + command + ": " + option + " needs a number from " + asWritten(lowest) +
                             " to " + asWritten(highest) + ", not '" + text + "'");
  }
  return value;
}

const std::string& optionValue(const std::vector<std::string>& args, size_t& i) {
  if (i + 1 == args.size()) {
    throw UsageError(args[i] + " needs a value");
  }
  return args[++i];
}

void takeSceneArgument(const std::string& arg, std::string& scene) {
  if (arg.size() > 1 && arg[0] == '-') {
    throw UsageError("unknown option '" + arg + "'");
  }
  if (!scene.empty()) {
    throw UsageError("one scene only, not '" + scene + "' and '" + arg + "'");
  }
  scene = arg;
}

void require(bool given, const char* what) {
  if (!given) {
    throw UsageError(std::string(what) + " is needed");
  }
}

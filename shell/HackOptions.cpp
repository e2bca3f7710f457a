#include "shell/HackOptions.h"

#include <cerrno>
#include <cstdlib>

#include "shell/HackSettings.h"

namespace {

// XScreenSaver's settings write "--root", users and older settings files "-root".
std::string optionName(const std::string& arg) {
  if (arg.rfind("--", 0) == 0) {
    return arg.substr(2);
  }
  if (arg.rfind("-", 0) == 0) {
    return arg.substr(1);
  }
  return "";
}

// Digits only: strtoull alone would also take a sign, spaces and a "0x" where none belongs.
std::optional<uint64_t> parseWhole(const std::string& text, int base, uint64_t highest) {
  const char* digits = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
  if (text.empty() || text.find_first_not_of(digits) != std::string::npos) {
    return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, base);
  if (errno != 0 || *end != '\0' || value > highest) {
    return std::nullopt;
  }
  return value;
}

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return "";
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<uint64_t> HackOptions::parseWindowId(const std::string& text) {
  const std::string id = trimmed(text);
  const bool hex = id.rfind("0x", 0) == 0 || id.rfind("0X", 0) == 0;
  // X window ids are 32-bit.
  const std::optional<uint64_t> value = hex ? parseWhole(id.substr(2), 16, UINT32_MAX) : parseWhole(id, 10, UINT32_MAX);
  if (!value || *value == 0) {
    return std::nullopt;
  }
  return value;
}

HackOptions HackOptions::parse(const std::vector<std::string>& args) {
  HackOptions options;
  for (size_t i = 0; i < args.size() && options.error.empty(); ++i) {
    const std::string name = optionName(args[i]);
    const bool takesValue =
        name == "scene" || name == "scene-file" || name == "scenes-dir" || name == "seed" || name == "window-id" ||
                            name == "delay";
    if (takesValue && i + 1 == args.size()) {
      options.error = "option '" + args[i] + "' needs a value";
      break;
    }
    const std::string value = takesValue ? args[++i] : "";
    if (name == "help" || name == "h") {
      options.help = true;
    } else if (name == "root") {
      options.root = true;
    } else if (name == "fps") {
      options.fps = true;
    } else if (name == "window-id") {
      options.windowId = parseWindowId(value);
      if (!options.windowId) {
        options.error = "'" + value + "' is no window id (decimal or 0x hex)";
      }
    } else if (name == "scene") {
      if (value != HackSettings::kRandomScene && !HackSettings::isSceneName(value)) {
        options.error = "no scene named '" + value + "'";
      }
      options.scene = value == HackSettings::kRandomScene ? "" : value;
    } else if (name == "scene-file") {
      options.sceneFile = value;
    } else if (name == "scenes-dir") {
      options.scenesDir = value;
    } else if (name == "delay") {
      const std::optional<uint64_t> delay = parseWhole(value, 10, FramePacer::kMaxInterval);
      if (!delay) {
        options.error = "'" + value + "' is no delay (microseconds from 0 to 1000000)";
      }
      options.delay = delay ? static_cast<uint32_t>(*delay) : options.delay;
    } else if (name == "seed") {
      const std::optional<uint64_t> seed = parseWhole(value, 10, UINT32_MAX);
      if (!seed) {
        options.error = "'" + value + "' is no seed (a whole number from 0 to 4294967295)";
      }
      options.seed = seed ? std::optional<uint32_t>(static_cast<uint32_t>(*seed)) : std::nullopt;
    } else {
      options.error = "unknown option '" + args[i] + "'";
    }
  }
  if (options.error.empty() && !options.scene.empty() && !options.sceneFile.empty()) {
    options.error = "-scene and -scene-file exclude each other";
  }
  return options;
}

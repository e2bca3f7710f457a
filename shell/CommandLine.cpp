#include "shell/CommandLine.h"

#include <cstdint>
#include <cstdlib>

namespace {

const char* skipProgramPath(const char* p) {
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') {
      ++p;
    }
  } else {
    while (*p != '\0' && *p != ' ') {
      ++p;
    }
  }
  if (*p != '\0') {
    ++p;
  }
  while (*p == ' ') {
    ++p;
  }
  return p;
}

// Windows writes "/p 1234"; some launchers write "/p:1234". Any mix of both separators is accepted.
const char* skipSeparators(const char* p) {
  while (*p == ' ' || *p == ':') {
    ++p;
  }
  return p;
}

// The runtime's decimal conversion (leading white space, a sign, digits up to the first non-digit,
// 0 when there are none), with out-of-range values held at the ends of the range as the Windows
// runtime's atoi holds them, so that no input is undefined.
int32_t parseHandle(const char* p) {
  const long long value = std::strtoll(p, nullptr, 10);
  if (value > INT32_MAX) {
    return INT32_MAX;
  }
  if (value < INT32_MIN) {
    return INT32_MIN;
  }
  return static_cast<int32_t>(value);
}

}  // namespace

CommandLine CommandLine::parse(const char* text) {
  CommandLine result;
  const char* p = skipProgramPath(text == nullptr ? "" : text);
  if (*p == '\0') {
    return result;
  }
  if (*p == '-' || *p == '/') {
    ++p;
  }
  // Only the letter decides: "/screensaver" is "/s".
  switch (*p) {
    case 'p':
    case 'P':
    case 'l':
    case 'L':
      result.mode = RunMode::Preview;
      result.parent = parseHandle(skipSeparators(p + 1));
      break;
    case 's':
    case 'S':
      result.mode = RunMode::FullScreen;
      break;
    case 'c':
    case 'C':
      p = skipSeparators(p + 1);
      result.mode = RunMode::Configure;
      if (*p == '\0') {
        result.parentIsForeground = true;
      } else {
        result.parent = parseHandle(p);
      }
      break;
    case 'a':
    case 'A':
      result.mode = RunMode::ChangePassword;
      result.parent = parseHandle(skipSeparators(p + 1));
      break;
    default:
      result.recognised = false;
      break;
  }
  return result;
}

#pragma once
// The screensaver switches as Windows passes them: the program's path, then /s, /p HANDLE,
// /l HANDLE, /c[:HANDLE], /a HANDLE, with '-' or '/' or nothing before the letter.

#include <cstdint>

#include "shell/RunMode.h"

struct CommandLine {
  // The whole command line, the program's path first. Never fails: anything unreadable is
  // reported through recognised or a parent of 0.
  static CommandLine parse(const char* text);

  // False for a switch letter the screensaver does not know: the run ends at once with 0.
  bool recognised = true;
  RunMode mode = RunMode::Configure;
  // Decimal window handle as the runtime's atoi reads it; 0 when there is none.
  int32_t parent = 0;
  // /c with nothing behind it: the dialog belongs to whatever window is in the foreground.
  bool parentIsForeground = false;
};

#pragma once
// The screensaver window's rules for ending a run, apart from Windows so that they can be checked
// anywhere: which message, in which mode, how long after the start, how far the mouse has gone.

#include <cstdint>

#include "shell/RunMode.h"

// The message numbers the rules look at; the window procedure checks them against windows.h.
namespace WindowMessage {
constexpr uint32_t Destroy = 0x0002;
constexpr uint32_t Activate = 0x0006;
constexpr uint32_t Close = 0x0010;
constexpr uint32_t Quit = 0x0012;
constexpr uint32_t ActivateApp = 0x001C;
constexpr uint32_t SetCursor = 0x0020;
constexpr uint32_t NcActivate = 0x0086;
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t KeyUp = 0x0101;
constexpr uint32_t SysKeyDown = 0x0104;
constexpr uint32_t SysCommand = 0x0112;
constexpr uint32_t MouseMove = 0x0200;
constexpr uint32_t LButtonDown = 0x0201;
constexpr uint32_t RButtonDown = 0x0204;
constexpr uint32_t MButtonDown = 0x0207;
constexpr uint32_t DisplayChange = 0x007E;
}  // namespace WindowMessage

enum class WindowAction {
  Default,      // not the screensaver's business: DefWindowProcA
  Ignore,       // handled by doing nothing; returns 0
  PostClose,    // the run should end: WM_CLOSE goes through the queue
  Quit,         // a close late enough to count, or the window gone: PostQuitMessage(0)
  HideCursor,   // no cursor over a full-screen window
  ArrowCursor,  // the standard arrow elsewhere
};

struct WindowRules {
  // Milliseconds since the run started, as the unsigned difference of two timeGetTime readings.
  // Seconds are that count times 0.001 in single precision, so 3000 ms is a hair over 3 seconds
  // and already counts, while 1000 ms is exactly 1 second and does not.
  static bool after(uint32_t elapsedMs, float seconds);

  // Whether input may end the run yet: full screen only, and not in the first three seconds, so
  // the key or mouse movement that started the screensaver does not stop it again.
  static bool inputCounts(RunMode mode, uint32_t elapsedMs);

  // What the window procedure does with a message. The cursor offsets (current position minus the
  // reference point, screen pixels) matter only for mouse movement while input counts.
  static WindowAction decide(uint32_t message, uintptr_t wParam, RunMode mode, uint32_t elapsedMs,
                             int32_t cursorDx, int32_t cursorDy, int32_t mouseThreshold);
};

#include "shell/WindowRules.h"

namespace {

constexpr float kMillisecond = 0.001f;

bool beyond(int32_t offset, int32_t threshold) {
  const int64_t distance = offset < 0 ? -static_cast<int64_t>(offset) : offset;
  return distance > threshold;
}

}  // namespace

bool WindowRules::after(uint32_t elapsedMs, float seconds) {
  return static_cast<float>(elapsedMs) * kMillisecond > seconds;
}

bool WindowRules::inputCounts(RunMode mode, uint32_t elapsedMs) {
  return mode == RunMode::FullScreen && after(elapsedMs, 3.0f);
}

WindowAction WindowRules::decide(uint32_t message, uintptr_t wParam, RunMode mode, uint32_t elapsedMs,
                                 int32_t cursorDx, int32_t cursorDy, int32_t mouseThreshold) {
  switch (message) {
    case WindowMessage::Destroy:
      // The preview's parent went away and took the window with it. A close posted to the window
      // now would never be delivered, and the run would draw on into nothing: end it here.
      return WindowAction::Quit;
    case WindowMessage::Activate:
    case WindowMessage::ActivateApp:
    case WindowMessage::NcActivate: {
      const bool drawing = mode == RunMode::Preview || mode == RunMode::FullScreen;
      return drawing && wParam == 0 ? WindowAction::PostClose : WindowAction::Ignore;
    }
    case WindowMessage::Close:
    case WindowMessage::Quit:
      // A close in the first second (a deactivation while the window appears) is dropped.
      return after(elapsedMs, 1.0f) ? WindowAction::Quit : WindowAction::Ignore;
    case WindowMessage::SetCursor:
      return mode == RunMode::FullScreen ? WindowAction::HideCursor : WindowAction::ArrowCursor;
    case WindowMessage::KeyDown:
    case WindowMessage::KeyUp:
    case WindowMessage::SysKeyDown:
    case WindowMessage::LButtonDown:
    case WindowMessage::RButtonDown:
    case WindowMessage::MButtonDown:
      return inputCounts(mode, elapsedMs) ? WindowAction::PostClose : WindowAction::Ignore;
    case WindowMessage::MouseMove:
      if (inputCounts(mode, elapsedMs) &&
          (beyond(cursorDx, mouseThreshold) || beyond(cursorDy, mouseThreshold))) {
        return WindowAction::PostClose;
      }
      return WindowAction::Ignore;
    case WindowMessage::SysCommand:
    case WindowMessage::DisplayChange:
      // No screen-saver or menu commands on the screensaver itself.
      return WindowAction::Ignore;
    default:
      return WindowAction::Default;
  }
}

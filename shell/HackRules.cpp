#include "shell/HackRules.h"

HackTarget HackRules::chooseWindow(const HackOptions& options, const char* xscreensaverWindow) {
  if (options.windowId) {
    return {HackWindow::Given, *options.windowId};
  }
  if (xscreensaverWindow != nullptr) {
    if (const std::optional<uint64_t> id = HackOptions::parseWindowId(xscreensaverWindow)) {
      return {HackWindow::Given, *id};
    }
  }
  return {options.root ? HackWindow::Root : HackWindow::Own, 0};
}

HackAction HackRules::react(HackWindow window, HackEvent event) {
  switch (event) {
    case HackEvent::KeyPressed:
    case HackEvent::CloseRequest:
      return window == HackWindow::Own ? HackAction::End : HackAction::Ignore;
    case HackEvent::Destroyed:
      return HackAction::End;
    case HackEvent::Resized:
      return HackAction::Resize;
  }
  return HackAction::Ignore;
}

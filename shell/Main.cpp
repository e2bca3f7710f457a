// The screensaver's entry point: reads the switch Windows starts it with and runs that mode.

#include <windows.h>

#include "core/vtException.h"
#include "shell/CommandLine.h"
#include "shell/ParticleScreensaver.h"
#include "shell/Resources.h"

namespace {

constexpr int kExitFailure = 255;

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR provider, HWND parent, DWORD reserved1, DWORD reserved2);

// The system's password service does all the work; the screensaver keeps no password. On a
// system without the service the mode ends silently.
void changeScreensaverPassword(HWND parent) {
  static HMODULE library = LoadLibraryA("MPR.DLL");
  if (library == nullptr) {
    return;
  }
  auto change = reinterpret_cast<PwdChangePasswordFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
  if (change != nullptr) {
    change("SCRSAVE", parent, 0, 0);
  }
  FreeLibrary(library);
}

HWND handleFrom(int32_t value) { return reinterpret_cast<HWND>(static_cast<intptr_t>(value)); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* text = GetCommandLineA();
  // Scene files are opened by bare name, so they are found in the Windows directory.
  char windowsDirectory[MAX_PATH];
  GetWindowsDirectoryA(windowsDirectory, MAX_PATH);
  SetCurrentDirectoryA(windowsDirectory);

  const CommandLine command = CommandLine::parse(text);
  if (!command.recognised) {
    return 0;
  }
  const HWND parent = command.parentIsForeground ? GetForegroundWindow() : handleFrom(command.parent);

  ParticleScreensaver* application = nullptr;
  try {
    switch (command.mode) {
      case RunMode::Configure:
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), parent, settingsDialogProc, 0);
        return 0;
      case RunMode::ChangePassword:
        changeScreensaverPassword(parent);
        return 0;
      case RunMode::Preview:
      case RunMode::FullScreen:
        break;
    }
    application =
        new ParticleScreensaver(instance, command.mode == RunMode::Preview ? parent : nullptr, command.mode);
    while (application->frame()) {
    }
    delete application;
    return 0;
  } catch (const vtException& e) {
    MessageBoxA(nullptr, e.text, "Exception", MB_ICONWARNING | MB_OK);
  } catch (...) {
    MessageBoxA(nullptr, "Unknown Exception", "Exception Error", MB_ICONWARNING | MB_OK);
  }
  // An exception from the constructor left nothing to destroy: the object was never counted as
  // made, and its base part has already been torn down.
  delete application;
  return kExitFailure;
}

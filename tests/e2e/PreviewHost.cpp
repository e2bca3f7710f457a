// The end-to-end tests' stand-in for the display settings: a window whose handle is given to the
// screensaver's preview mode, as Windows gives the small monitor picture's. It starts the
// screensaver, reports the preview window it finds inside, keeps running while the test sends
// input, then closes itself and reports how the screensaver ended.
//
// usage: preview_host SCREENSAVER LOG SECONDS

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::FILE* logFile = nullptr;

void report(const char* format, ...) __attribute__((format(printf, 1, 2)));

void report(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(logFile, format, args);
  va_end(args);
  std::fputc('\n', logFile);
  std::fflush(logFile);
}

void pumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}

LRESULT CALLBACK hostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 4) {
    return 2;
  }
  logFile = std::fopen(__argv[2], "w");
  if (logFile == nullptr) {
    return 2;
  }
  const DWORD inputSeconds = static_cast<DWORD>(std::atoi(__argv[3]));

  WNDCLASSEXA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = hostWndProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  windowClass.lpszClassName = "OstrelPreviewHost";
  RegisterClassExA(&windowClass);
  HWND host = CreateWindowExA(0, "OstrelPreviewHost", "Ostrel Preview Host", WS_POPUP | WS_VISIBLE, 100, 80, 320,
                              240, nullptr, nullptr, instance, nullptr);
  if (host == nullptr) {
    report("error no host window");
    return 1;
  }
  pumpFor(200);

  std::string commandLine = "\"" + std::string(__argv[1]) + "\" /p " +
                            std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(host)));
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    report("error cannot start %s", commandLine.c_str());
    return 1;
  }
  report("started %s", commandLine.c_str());

  HWND preview = nullptr;
  for (int i = 0; i < 600 && preview == nullptr; ++i) {
    pumpFor(50);
    preview = FindWindowExA(host, nullptr, "vtScreensaver", nullptr);
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      break;
    }
  }
  if (preview == nullptr) {
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    report("error no preview window (screensaver exit %lu)", code);
    return 1;
  }
  RECT rect;
  GetClientRect(preview, &rect);
  char text[64] = "";
  pumpFor(300);
  GetWindowTextA(preview, text, sizeof text);
  const LONG style = GetWindowLongA(preview, GWL_STYLE);
  report("preview %ldx%ld child=%d text=%s", rect.right - rect.left, rect.bottom - rect.top,
         (style & WS_CHILD) != 0 ? 1 : 0, text);

  // The test sends its keys and clicks now.
  pumpFor(inputSeconds * 1000);
  report("alive=%d", WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT ? 1 : 0);

  // Closing the host destroys the preview, which ends the screensaver's run.
  DestroyWindow(host);
  for (int i = 0; i < 300 && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; ++i) {
    pumpFor(50);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  report("exit %lu", code);
  return 0;
}

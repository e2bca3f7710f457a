#include "shell/Screensaver.h"

#include <mmsystem.h>

#include <cstddef>

#include "core/vtException.h"
#include "shell/Resources.h"
#include "shell/WindowRules.h"

static_assert(WindowMessage::Destroy == WM_DESTROY && WindowMessage::Activate == WM_ACTIVATE &&
                  WindowMessage::Close == WM_CLOSE && WindowMessage::Quit == WM_QUIT &&
                  WindowMessage::ActivateApp == WM_ACTIVATEAPP && WindowMessage::SetCursor == WM_SETCURSOR &&
                  WindowMessage::NcActivate == WM_NCACTIVATE && WindowMessage::KeyDown == WM_KEYDOWN &&
                  WindowMessage::KeyUp == WM_KEYUP && WindowMessage::SysKeyDown == WM_SYSKEYDOWN &&
                  WindowMessage::SysCommand == WM_SYSCOMMAND && WindowMessage::MouseMove == WM_MOUSEMOVE &&
                  WindowMessage::LButtonDown == WM_LBUTTONDOWN && WindowMessage::RButtonDown == WM_RBUTTONDOWN &&
                  WindowMessage::MButtonDown == WM_MBUTTONDOWN && WindowMessage::DisplayChange == WM_DISPLAYCHANGE,
              "the window rules use the message numbers of windows.h");

// The display mode is asked for with the DEVMODE of the older layout, which ends before the
// panning fields: every display driver understands that one.
constexpr WORD kDevModeSize = 148;
static_assert(offsetof(DEVMODEA, dmPanningWidth) == kDevModeSize, "DEVMODEA without the panning fields");

namespace {

const char kWindowClass[] = "vtScreensaver";
const char kSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";

// Process-wide run state: the window procedure has no object to read it from.
RunMode runMode = RunMode::FullScreen;
DWORD startTime = 0;
int32_t mouseThreshold = 50;
// A preview never switches the display and leaves this at true, so its teardown asks for the
// registry's mode too, which changes nothing.
bool displayModeChanged = true;
// Where the cursor was when the run started; mouse movement is measured from here.
POINT mouseReference = {0, 0};

}  // namespace

Screensaver::Screensaver(HINSTANCE instance, HWND parent, RunMode mode)
    : instance_(instance),
      window_(parent),
      message_(),
      deviceContext_(nullptr),
      glContext_(nullptr),
      width_(0),
      height_(0),
      title_("vantu::Screensaver") {
  runMode = mode;
  if (mode == RunMode::FullScreen) {
    DEVMODEA devMode;
    ZeroMemory(&devMode, sizeof devMode);
    devMode.dmSize = kDevModeSize;
    devMode.dmBitsPerPel = 32;
    devMode.dmPelsWidth = 640;
    devMode.dmPelsHeight = 480;
    devMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    if (ChangeDisplaySettingsExA(nullptr, &devMode, nullptr, CDS_FULLSCREEN, nullptr) == DISP_CHANGE_SUCCESSFUL) {
      ShowCursor(FALSE);
      displayModeChanged = true;
    } else {
      // Not an error: the run goes on at the screen's own size.
      displayModeChanged = false;
    }
  }
  startTime = timeGetTime();
  GetCursorPos(&mouseReference);
  readSettings();
  createWindow();
}

Screensaver::~Screensaver() {
  if (displayModeChanged) {
    ChangeDisplaySettingsA(nullptr, 0);
  }
  wglMakeCurrent(deviceContext_, nullptr);
  wglDeleteContext(glContext_);
  ReleaseDC(window_, deviceContext_);
}

void Screensaver::readSettings() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
    return;
  }
  // Whatever the value's type, its first four bytes are the threshold.
  int32_t value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, "Mouse Threshold", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
      ERROR_SUCCESS) {
    mouseThreshold = value;
  }
  RegCloseKey(key);
}

void Screensaver::createWindow() {
  WNDCLASSEXA windowClass;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = screensaverWndProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_OSTREL));
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassExA(&windowClass) == 0) {
    throw vtException(ErrorCode::WindowCreationFailed);
  }

  DWORD exStyle;
  DWORD style;
  HWND parent;
  if (runMode == RunMode::Preview) {
    // A preview without a parent window gets an empty rectangle here and fails just below.
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(window_, &rect);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    exStyle = 0;
    style = WS_CHILD | WS_VISIBLE;
    parent = window_;
  } else {
    if (displayModeChanged) {
      width_ = 640;
      height_ = 480;
    } else {
      width_ = GetSystemMetrics(SM_CXSCREEN);
      height_ = GetSystemMetrics(SM_CYSCREEN);
    }
    exStyle = WS_EX_TOPMOST;
    style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    parent = nullptr;
  }
  window_ = CreateWindowExA(exStyle, kWindowClass, title_.c_str(), style, 0, 0, width_, height_, parent, nullptr,
                            instance_, nullptr);
  if (window_ == nullptr) {
    throw vtException(ErrorCode::WindowCreationFailed);
  }
  setPixelFormat();
  createGLContext();
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  SetFocus(window_);
  BringWindowToTop(window_);
}

void Screensaver::setPixelFormat() {
  PIXELFORMATDESCRIPTOR format;
  ZeroMemory(&format, sizeof format);
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 16;
  format.cDepthBits = 16;
  format.iLayerType = PFD_MAIN_PLANE;
  deviceContext_ = GetDC(window_);
  const int index = ChoosePixelFormat(deviceContext_, &format);
  if (index == 0 || !SetPixelFormat(deviceContext_, index, &format)) {
    throw vtException(ErrorCode::PixelFormatFailed);
  }
}

void Screensaver::createGLContext() {
  glContext_ = wglCreateContext(deviceContext_);
  if (glContext_ == nullptr) {
    throw vtException(ErrorCode::GlContextCreationFailed);
  }
  if (!wglMakeCurrent(deviceContext_, glContext_)) {
    throw vtException(ErrorCode::GlContextActivationFailed);
  }
}

bool Screensaver::pumpMessage() {
  // Peek first so that the frame loop never waits for a message.
  if (!PeekMessageA(&message_, nullptr, 0, 0, PM_NOREMOVE)) {
    return true;
  }
  if (GetMessageA(&message_, nullptr, 0, 0) == 0) {
    return false;
  }
  TranslateMessage(&message_);
  DispatchMessageA(&message_);
  return true;
}

LRESULT CALLBACK Screensaver::screensaverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const uint32_t elapsedMs = timeGetTime() - startTime;
  int32_t cursorDx = 0;
  int32_t cursorDy = 0;
  if (message == WM_MOUSEMOVE && WindowRules::inputCounts(runMode, elapsedMs)) {
    POINT cursor;
    GetCursorPos(&cursor);
    cursorDx = cursor.x - mouseReference.x;
    cursorDy = cursor.y - mouseReference.y;
  }
  switch (WindowRules::decide(message, wParam, runMode, elapsedMs, cursorDx, cursorDy, mouseThreshold)) {
    case WindowAction::Default:
      return DefWindowProcA(window, message, wParam, lParam);
    case WindowAction::Ignore:
      break;
    case WindowAction::PostClose:
      PostMessageA(window, WM_CLOSE, 0, 0);
      break;
    case WindowAction::Quit:
      PostQuitMessage(0);
      break;
    case WindowAction::HideCursor:
      SetCursor(nullptr);
      break;
    case WindowAction::ArrowCursor:
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      break;
  }
  return 0;
}

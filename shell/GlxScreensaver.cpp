#include "shell/GlxScreensaver.h"

#include <X11/Xutil.h>

#include <cstdio>

#include "core/vtException.h"

namespace {

constexpr int kOwnWidth = 640;
constexpr int kOwnHeight = 480;
const char kTitle[] = "Ostrel Screensaver";
// GLX's own error numbers past its error base, as the GLX protocol numbers them (GLXBadDrawable,
// GLXBadWindow); its header needs the whole X protocol headers for two numbers.
constexpr int kGlxBadDrawable = 2;
constexpr int kGlxBadWindow = 12;

// Xlib reports errors to one process-wide handler with no user data, so what it saw lives here.
// The default handler would end the program at the first error, which is how a window that the
// daemon destroys under a drawing program is first noticed.
int glxErrorBase = 0;
bool windowErrorSeen = false;
bool otherErrorSeen = false;

int recordError(Display* display, XErrorEvent* error) {
  const bool glxDrawable = glxErrorBase != 0 && (error->error_code == glxErrorBase + kGlxBadDrawable ||
                                                 error->error_code == glxErrorBase + kGlxBadWindow);
  if (error->error_code == BadWindow || error->error_code == BadDrawable || glxDrawable) {
    windowErrorSeen = true;
  } else if (!otherErrorSeen) {
    otherErrorSeen = true;
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "ostrel: X error: %s (request %d)\n", text, error->request_code);
  }
  return 0;
}

bool doubleBufferedRgba(Display* display, XVisualInfo* visual) {
  int useGl = 0;
  int rgba = 0;
  int doubleBuffer = 0;
  return glXGetConfig(display, visual, GLX_USE_GL, &useGl) == 0 && useGl &&
         glXGetConfig(display, visual, GLX_RGBA, &rgba) == 0 && rgba &&
         glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffer) == 0 && doubleBuffer;
}

}  // namespace

GlxScreensaver::GlxScreensaver(const HackTarget& target) : kind_(target.window) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    throw vtException(ErrorCode::WindowCreationFailed);
  }
  XSetErrorHandler(recordError);
  int eventBase = 0;
  if (!glXQueryExtension(display_, &glxErrorBase, &eventBase)) {
    release();
    throw vtException(ErrorCode::PixelFormatFailed);
  }
  try {
    switch (kind_) {
      case HackWindow::Own:
        makeWindow();
        break;
      case HackWindow::Root:
        takeWindow(DefaultRootWindow(display_));
        break;
      case HackWindow::Given:
        takeWindow(static_cast<Window>(target.id));
        break;
    }
  } catch (...) {
    // A half-made start has no destructor run for it.
    release();
    throw;
  }
}

GlxScreensaver::~GlxScreensaver() { release(); }

void GlxScreensaver::release() {
  if (display_ == nullptr) {
    return;
  }
  if (context_ != nullptr) {
    glXMakeCurrent(display_, None, nullptr);
    glXDestroyContext(display_, context_);
    context_ = nullptr;
  }
  if (kind_ == HackWindow::Own && window_ != 0 && !windowGone_) {
    XDestroyWindow(display_, window_);
  }
  if (colormap_ != 0) {
    XFreeColormap(display_, colormap_);
  }
  XCloseDisplay(display_);
  display_ = nullptr;
}

// A window made by someone else keeps its visual: the context must be made for exactly that one.
void GlxScreensaver::takeWindow(Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window, &attributes) || windowErrorSeen) {
    throw vtException(ErrorCode::WindowCreationFailed);
  }
  window_ = window;
  width_ = attributes.width;
  height_ = attributes.height;
  // Size changes and the window's end; keys and buttons stay with whoever owns the window.
  XSelectInput(display_, window_, StructureNotifyMask);
  XVisualInfo wanted;
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  wanted.screen = XScreenNumberOfScreen(attributes.screen);
  int count = 0;
  XVisualInfo* visual = XGetVisualInfo(display_, VisualIDMask | VisualScreenMask, &wanted, &count);
  if (visual == nullptr || !doubleBufferedRgba(display_, visual)) {
    if (visual != nullptr) {
      XFree(visual);
    }
    throw vtException(ErrorCode::PixelFormatFailed);
  }
  createContext(visual);
}

// As the Windows screensaver asks for its pixel format: RGBA, double-buffered, a depth buffer.
void GlxScreensaver::makeWindow() {
  int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1,
                      GLX_DEPTH_SIZE, 16, None};
  const int screen = DefaultScreen(display_);
  XVisualInfo* visual = glXChooseVisual(display_, screen, attributes);
  if (visual == nullptr) {
    throw vtException(ErrorCode::PixelFormatFailed);
  }
  const Window root = RootWindow(display_, screen);
  colormap_ = XCreateColormap(display_, root, visual->visual, AllocNone);
  XSetWindowAttributes settings;
  settings.colormap = colormap_;
  settings.background_pixel = BlackPixel(display_, screen);
  settings.border_pixel = 0;
  settings.event_mask = KeyPressMask | StructureNotifyMask;
  window_ = XCreateWindow(display_, root, 0, 0, kOwnWidth, kOwnHeight, 0, visual->depth, InputOutput, visual->visual,
                          CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &settings);
  if (window_ == 0) {
    XFree(visual);
    throw vtException(ErrorCode::WindowCreationFailed);
  }
  width_ = kOwnWidth;
  height_ = kOwnHeight;
  XStoreName(display_, window_, kTitle);
  XClassHint classHint;
  char name[] = "ostrel";
  char className[] = "Ostrel";
  classHint.res_name = name;
  classHint.res_class = className;
  XSetClassHint(display_, window_, &classHint);
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &deleteWindow_, 1);
  XMapRaised(display_, window_);
  createContext(visual);
}

void GlxScreensaver::createContext(XVisualInfo* visual) {
  context_ = glXCreateContext(display_, visual, nullptr, True);
  XFree(visual);
  if (context_ == nullptr) {
    throw vtException(ErrorCode::GlContextCreationFailed);
  }
  if (!glXMakeCurrent(display_, window_, context_) || windowErrorSeen) {
    throw vtException(ErrorCode::GlContextActivationFailed);
  }
}

bool GlxScreensaver::pumpEvents() {
  bool running = !windowErrorSeen && !otherErrorSeen;
  while (running && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    handle(event, running);
  }
  return running && !windowErrorSeen && !otherErrorSeen;
}

void GlxScreensaver::handle(const XEvent& event, bool& running) {
  HackEvent happened;
  switch (event.type) {
    case KeyPress:
      happened = HackEvent::KeyPressed;
      break;
    case ClientMessage:
      if (static_cast<Atom>(event.xclient.data.l[0]) != deleteWindow_) {
        return;
      }
      happened = HackEvent::CloseRequest;
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window != window_) {
        return;
      }
      windowGone_ = true;
      happened = HackEvent::Destroyed;
      break;
    case ConfigureNotify:
      if (event.xconfigure.window != window_ ||
          (event.xconfigure.width == width_ && event.xconfigure.height == height_)) {
        return;
      }
      width_ = event.xconfigure.width;
      height_ = event.xconfigure.height;
      happened = HackEvent::Resized;
      break;
    default:
      return;
  }
  switch (HackRules::react(kind_, happened)) {
    case HackAction::Ignore:
      break;
    case HackAction::End:
      running = false;
      break;
    case HackAction::Resize:
      resized_ = true;
      break;
  }
}

void GlxScreensaver::swapBuffers() {
  glXSwapBuffers(display_, window_);
  // One round trip a frame: the program never runs ahead of what the X server has drawn, so an
  // end by signal or input is never behind a queue of frames.
  XSync(display_, False);
}

bool GlxScreensaver::takeResize() {
  const bool resized = resized_;
  resized_ = false;
  return resized;
}

bool GlxScreensaver::failed() const { return otherErrorSeen; }

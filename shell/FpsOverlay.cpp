#include "shell/FpsOverlay.h"

#include <GL/glx.h>

#include <cstdio>
#include <cstring>

#include "core/OpenGl.h"

namespace {

// Printable ASCII, one display list per character.
constexpr int kFirst = 32;
constexpr int kCount = 96;
constexpr int kMargin = 8;

}  // namespace

FpsOverlay::FpsOverlay(Display* display) : display_(display) {
  font_ = XLoadQueryFont(display_, "fixed");
  if (font_ == nullptr) {
    std::fputs("ostrel: the X server has no font \"fixed\"; -fps shows nothing\n", stderr);
    return;
  }
  lists_ = glGenLists(kCount);
  glXUseXFont(font_->fid, kFirst, kCount, lists_);
}

FpsOverlay::~FpsOverlay() {
  if (font_ == nullptr) {
    return;
  }
  glDeleteLists(lists_, kCount);
  XFreeFont(display_, font_);
}

void FpsOverlay::draw(double framesPerSecond, int32_t width, int32_t height) const {
  if (font_ == nullptr) {
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "FPS: %.1f", framesPerSecond);
  const int length = static_cast<int>(std::strlen(text));
  const int lineHeight = font_->ascent + font_->descent;
  const int boxWidth = XTextWidth(font_, text, length) + 2 * kMargin;

  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT | GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT);
  // A black box under the text: the fade would otherwise keep the figures before it as ghosts.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, boxWidth, lineHeight + 2 * kMargin);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0.0, width, 0.0, height);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 0.0f);
  glRasterPos2i(kMargin, kMargin + font_->descent);
  glListBase(lists_ - kFirst);
  glCallLists(length, GL_UNSIGNED_BYTE, text);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

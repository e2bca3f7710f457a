#include "shell/FramePacer.h"

FramePacer::FramePacer(uint32_t intervalMicroseconds, double startSeconds)
    : interval_(intervalMicroseconds * 1e-6), nextStart_(startSeconds + interval_) {}

double FramePacer::waitBeforeNextFrame(double nowSeconds) {
  if (nowSeconds >= nextStart_) {
    nextStart_ = nowSeconds + interval_;
    return 0.0;
  }
  const double wait = nextStart_ - nowSeconds;
  nextStart_ += interval_;
  return wait;
}

#include "shell/FpsMeter.h"

FpsMeter::FpsMeter(double startSeconds) : start_(startSeconds), countStart_(startSeconds) {}

void FpsMeter::countFrame(double nowSeconds) {
  ++frames_;
  ++counted_;
  const double elapsed = nowSeconds - countStart_;
  if (elapsed >= 1.0) {
    shown_ = static_cast<double>(counted_) / elapsed;
    counted_ = 0;
    countStart_ = nowSeconds;
  }
}

double FpsMeter::average(double nowSeconds) const {
  const double elapsed = nowSeconds - start_;
  return elapsed > 0.0 ? static_cast<double>(frames_) / elapsed : 0.0;
}

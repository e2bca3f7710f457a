#include "tools/commands/Progress.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

std::FILE* terminalOrNothing(std::FILE* out) { return isatty(fileno(out)) ? out : nullptr; }

}  // namespace

Progress::Progress(const char* what, uint64_t total) : Progress(terminalOrNothing(stderr), what, total) {}

Progress::Progress(std::FILE* out, const char* what, uint64_t total) : out_(out), what_(what), total_(total) {}

Progress::~Progress() { finish(); }

void Progress::finish() {
  if (out_ != nullptr && width_ > 0) {
    std::fprintf(out_, "\r%*s\r", width_, "");
    std::fflush(out_);
  }
  out_ = nullptr;
}

void Progress::show(uint64_t done) {
  if (out_ == nullptr) {
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  if (width_ > 0 && now < next_) {
    return;
  }
  next_ = now + std::chrono::milliseconds(200);
  // Counts are at most 2^32, so the product stays far inside 64 bits.
  const uint64_t percent = total_ > 0 ? done * 100 / total_ : 100;
  // The count only grows, so each line covers the last; the carriage return is no column.
  width_ = std::fprintf(out_, "\r%s %llu of %llu (%llu%%)", what_, static_cast<unsigned long long>(done),
                        static_cast<unsigned long long>(total_), static_cast<unsigned long long>(percent)) -
           1;
  std::fflush(out_);
}

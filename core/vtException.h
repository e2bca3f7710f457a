#pragma once
// The one exception type of the system and its seventeen fixed error codes.

#include <cstdint>

enum class ErrorCode : int32_t {
  NotEnoughMemory = 0,
  IllegalIndex = 1,
  ImageLoadFailed = 2,
  PsfFileLoadFailed = 3,
  ReadFailed = 4,
  WriteFailed = 5,
  TellFailed = 6,
  SeekFailed = 7,
  FileNotFound = 8,
  IllegalParticleId = 9,
  IllegalStream = 10,
  IllegalBmp = 11,
  IllegalTga = 12,
  WindowCreationFailed = 13,
  GlContextCreationFailed = 14,
  GlContextActivationFailed = 15,
  PixelFormatFailed = 16,
};

constexpr int kErrorCount = 17;

// Indexed by ErrorCode; the texts are shown to the user as they stand.
extern const char* const kErrorMessages[kErrorCount];

// Thrown and caught by value. text always points into kErrorMessages and owns nothing.
class vtException {
 public:
  explicit vtException(ErrorCode code);

  const char* text;
  ErrorCode code;
};

#include "objfile/MemoryStream.h"

#include <cstring>

#include "core/vtException.h"

int MemoryStream::read(void* buffer, int count) {
  if (count <= 0 || position_ > bytes_.size() || bytes_.size() - position_ < static_cast<size_t>(count)) {
    throw vtException(ErrorCode::ReadFailed);
  }
  std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(count));
  position_ += static_cast<size_t>(count);
  return count;
}

int MemoryStream::write(const void* buffer, int count) {
  if (count <= 0) {
    throw vtException(ErrorCode::WriteFailed);
  }
  const size_t end = position_ + static_cast<size_t>(count);
  if (end > bytes_.size()) {
    bytes_.resize(end);
  }
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int MemoryStream::seek(int32_t offset, SeekOrigin origin) {
  int64_t base;
  switch (origin) {
    case SeekBegin:
      base = 0;
      break;
    case SeekEnd:
      base = static_cast<int64_t>(bytes_.size());
      break;
    case SeekCurrent:
      base = static_cast<int64_t>(position_);
      break;
    default:
      throw vtException(ErrorCode::SeekFailed);
  }
  const int64_t target = base + offset;
  if (target < 0) {
    throw vtException(ErrorCode::SeekFailed);
  }
  position_ = static_cast<size_t>(target);
  return 0;
}

int MemoryStream::tell() { return static_cast<int>(position_); }

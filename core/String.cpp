#include "core/String.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t kSlack = 8;
}

String::String(const char* text) {
  if (text != nullptr) {
    assign(text, static_cast<uint32_t>(std::strlen(text)));
  }
}

String::String(const String& other) {
  if (other.data_ != nullptr) {
    assign(other.data_, other.length_);
  }
}

String& String::operator=(const String& other) {
  if (this != &other) {
    if (other.data_ == nullptr) {
      reserve(0);
    } else {
      assign(other.data_, other.length_);
    }
  }
  return *this;
}

String::~String() { delete[] data_; }

void String::assign(const char* text, uint32_t length) {
  reserve(length);
  std::memcpy(data_, text, length);
  data_[length] = '\0';
  length_ = length;
}

void String::reserve(uint32_t n) {
  if (data_ == nullptr || n > capacity_ || n + kSlack < capacity_) {
    char* grown = new char[static_cast<size_t>(n) + kSlack + 1];
    if (data_ != nullptr) {
      std::memcpy(grown, data_, std::min(n, length_ + 1));
      delete[] data_;
    }
    data_ = grown;
    capacity_ = n + kSlack;
  }
  length_ = std::min(length_, n);
  data_[length_] = '\0';
}

void String::append(char c) {
  if (c == '\0') {
    return;
  }
  reserve(length_ + 1);
  data_[length_] = c;
  data_[length_ + 1] = '\0';
  ++length_;
}

#pragma once
// The system's growable NUL-terminated byte string. Copies own separate buffers.

#include <cstdint>

class String {
 public:
  // No text gives no buffer at all; the empty text gives a buffer of capacity 8.
  String(const char* text = nullptr);  // NOLINT(google-explicit-constructor): file names are written as literals
  String(const String& other);
  String& operator=(const String& other);
  ~String();

  // Makes room for n characters, cutting the content to at most n. Reallocates when growing,
  // or when shrinking would leave more than 8 characters of slack; never lengthens the string.
  void reserve(uint32_t n);
  // A NUL character is ignored: a String cannot contain one.
  void append(char c);

  // Null when the string has no buffer.
  const char* c_str() const { return data_; }
  uint32_t length() const { return length_; }
  uint32_t capacity() const { return capacity_; }

 private:
  void assign(const char* text, uint32_t length);

  char* data_ = nullptr;
  uint32_t length_ = 0;
  uint32_t capacity_ = 0;
};

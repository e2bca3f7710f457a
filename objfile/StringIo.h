#pragma once
// The stored form of a String: its characters and one NUL, no length field, no padding.

#include <cstdint>

#include "core/String.h"
#include "objfile/Stream.h"

// Longer stored strings are refused with "Read Failed": a stored string is a file name, and
// without a bound a file with no NUL would grow a string byte by byte to the file's size.
constexpr uint32_t kMaxStoredStringLength = 1024;

// A string without a buffer is written as the single byte 0.
void writeTo(Stream& stream, const String& string);
// Reads byte by byte up to and including the NUL; the byte after it stays unread.
void readFrom(Stream& stream, String& string);

#pragma once
// Writes RGBA pixels as a PNG file.

#include <cstdint>
#include <string>
#include <vector>

// pixels: width * height RGBA bytes, bottom row first as OpenGL reads them; the file shows the
// top row first, as PNG stores it. Throws std::runtime_error when the file cannot be written.
void writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels);

#pragma once
// Writes a tool's result file in one go; any failure is "Write Failed".

#include <cstddef>
#include <string>

// gzip: level 9 through zlib, whose header carries no time stamp, so equal data gives equal files.
void writeOutputFile(const std::string& name, const void* data, std::size_t size, bool gzip);

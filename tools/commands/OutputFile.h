#pragma once
// Writes a tool's result file in one go.

#include <cstddef>
#include <string>

// gzip: level 9 through zlib, whose header carries no time stamp, so equal data gives equal files.
// Any failure throws FileError naming the file, "Write Failed" and the system's reason.
void writeOutputFile(const std::string& name, const void* data, std::size_t size, bool gzip);

// Throws FileError when output names the input file itself (another spelling, a link): a tool
// that read its input whole would write over it without a word.
void refuseToOverwriteInput(const std::string& input, const std::string& output);

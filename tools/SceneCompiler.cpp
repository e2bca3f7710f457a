#include "tools/SceneCompiler.h"

#include "objfile/MemoryStream.h"
#include "tools/SceneBinary.h"
#include "tools/SceneTextReader.h"
#include "tools/SceneTextWriter.h"

std::vector<uint8_t> SceneCompiler::compile(const std::string& text, const std::string& sourceName) {
  MemoryStream stream;
  SceneBinary::write(stream, SceneTextReader::parse(text, sourceName));
  return stream.bytes();
}

std::string SceneCompiler::decompile(Stream& stream) { return SceneTextWriter::format(SceneBinary::read(stream)); }

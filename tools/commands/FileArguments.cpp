#include "tools/commands/FileArguments.h"

#include "tools/commands/UsageError.h"

FileArguments FileArguments::parse(const std::vector<std::string>& args, bool outputAllowed, bool gzipAllowed) {
  FileArguments result;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--gzip" && gzipAllowed) {
      result.gzip = true;
    } else if (arg == "-o" && outputAllowed) {
      if (i + 1 == args.size() || args[i + 1].empty()) {
        throw UsageError("-o needs a file name");
      }
      if (!result.output.empty()) {
        throw UsageError("-o given twice");
      }
      result.output = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option '" + arg + "'");
    } else if (!result.input.empty()) {
      throw UsageError("one input only, not '" + result.input + "' and '" + arg + "'");
    } else {
      result.input = arg;
    }
  }
  if (result.input.empty()) {
    throw UsageError("no input file");
  }
  return result;
}

#include "tools/FileArguments.h"

bool FileArguments::parse(const std::vector<std::string>& args, bool gzipAllowed, FileArguments& result) {
  result = FileArguments();
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--gzip" && gzipAllowed) {
      result.gzip = true;
    } else if (args[i] == "-o" && i + 1 < args.size() && result.output.empty()) {
      result.output = args[++i];
    } else if (result.input.empty() && !args[i].empty() && args[i][0] != '-') {
      result.input = args[i];
    } else {
      return false;
    }
  }
  return !result.input.empty();
}

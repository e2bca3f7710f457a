#pragma once
// The arguments of the file-to-file subcommands: one input, `-o OUT`, and `--gzip` where allowed.

#include <string>
#include <vector>

struct FileArguments {
  std::string input;
  // Empty when no -o was given.
  std::string output;
  bool gzip = false;

  // False for anything else: a second input, an unknown option, -o without a name.
  static bool parse(const std::vector<std::string>& args, bool gzipAllowed, FileArguments& result);
};

#pragma once
// The arguments of the subcommands that take files alone: one input, and `-o OUT` and `--gzip`
// where allowed.

#include <string>
#include <vector>

struct FileArguments {
  std::string input;
  // Empty when no -o was given.
  std::string output;
  bool gzip = false;

  // Throws UsageError naming what it cannot take: a second input or -o, an unknown option, -o
  // without a name, no input at all.
  static FileArguments parse(const std::vector<std::string>& args, bool outputAllowed, bool gzipAllowed);
};

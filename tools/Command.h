#pragma once
// A psftool subcommand: its name, a one-line summary, its usage text and its entry point.

#include <string>
#include <vector>

struct Command {
  const char* name;
  const char* summary;
  const char* usage;
  // Arguments after the subcommand's name. Returns the exit code; vtException and
  // std::exception are caught by main.
  int (*run)(const std::vector<std::string>& args);
};

int runCheck(const std::vector<std::string>& args);
int runSimulate(const std::vector<std::string>& args);
int runCompile(const std::vector<std::string>& args);
int runDecompile(const std::vector<std::string>& args);

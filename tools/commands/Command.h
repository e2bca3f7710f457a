#pragma once
// A psftool subcommand: its name, a one-line summary, its usage and its entry point.

#include <string>
#include <vector>

struct Command {
  const char* name;
  const char* summary;
  // "usage: psftool NAME ..." and its continuation lines; printed after a usage error.
  const char* synopsis;
  // What --help prints after the synopsis.
  const char* details;
  // Arguments after the subcommand's name. Returns the exit code; main catches what it throws:
  // UsageError, vtException and std::exception (FileError among them).
  int (*run)(const std::vector<std::string>& args);
};

int runCheck(const std::vector<std::string>& args);
int runSimulate(const std::vector<std::string>& args);
int runCompile(const std::vector<std::string>& args);
int runDecompile(const std::vector<std::string>& args);
// Linux only: it draws through the headless context.
int runRender(const std::vector<std::string>& args);

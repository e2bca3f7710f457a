#pragma once
// Arguments a psftool command cannot take: what is wrong with them, which psftool prints after
// the command's name and before its usage line.

#include <stdexcept>

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

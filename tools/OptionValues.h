#pragma once
// Values of the subcommands' options, refused with a message that names the command and option.

#include <cstdint>
#include <string>

// A whole number from 0 to highest, written in decimal without a sign.
uint64_t parseWholeNumber(const std::string& command, const std::string& option, const std::string& text,
                          uint64_t highest);
// A finite decimal number.
float parseDecimal(const std::string& command, const std::string& option, const std::string& text);

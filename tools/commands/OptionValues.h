#pragma once
// The options of the subcommands that run a scene, and their values, refused with a message that
// names the command and the option.

#include <cstdint>
#include <string>
#include <vector>

// A whole number from lowest to highest, written in decimal without a sign.
uint64_t parseWholeNumber(const std::string& command, const std::string& option, const std::string& text,
                          uint64_t highest, uint64_t lowest = 0);
// A finite decimal number from lowest to highest.
float parseDecimal(const std::string& command, const std::string& option, const std::string& text, float lowest,
                   float highest);

// The value after the option at args[i], moving i onto it; UsageError when there is none.
const std::string& optionValue(const std::vector<std::string>& args, size_t& i);
// An argument that is none of the command's options: the scene file when none was given yet;
// UsageError for anything else (an unknown option, a second scene).
void takeSceneArgument(const std::string& arg, std::string& scene);
// UsageError "WHAT is needed" unless it was given.
void require(bool given, const char* what);

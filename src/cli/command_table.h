#pragma once
// The commands of morvanta-cli: their options, their words and their help.

#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"

namespace morvanta::cli {

struct CommandDef {
    std::string_view name;
    std::string_view synopsis;  // the command's line of the overview
    std::vector<OptionDef> options;
    size_t minWords = 0, maxWords = 0;
    std::string_view help;  // what comes after the synopsis in "COMMAND --help"
    int (*run)(const Arguments&) = nullptr;
};

const std::vector<CommandDef>& Commands();
const CommandDef* FindCommand(std::string_view name);

// "morvanta-cli --help"
std::string ProgramHelp();
// "morvanta-cli COMMAND --help"
std::string CommandHelp(const CommandDef& command);

}  // namespace morvanta::cli

#pragma once
// The command line: global options, the command, its options and its words.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::cli {

struct OptionDef {
    std::string_view name;  // "--lesson"
    bool takesValue = false;
    bool repeatable = false;
};

struct CommandDef;

struct Arguments {
    const CommandDef* command = nullptr;  // nullptr: no command given
    bool help = false;
    bool version = false;  // --version
    std::optional<std::string> db;   // --db FILE
    std::vector<std::string> words;  // the command's words (kind, file, pattern)
    std::map<std::string, std::vector<std::string>, std::less<>> options;

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
    // The value of an option given once, or nullopt.
    std::optional<std::string> value(std::string_view option) const;
    std::vector<std::string> values(std::string_view option) const;
};

// Throws UsageError when the line does not read. The number of words is
// checked only when no help is asked for.
Arguments ParseArguments(const std::vector<std::string>& line);

// A whole number in [low, high]; throws UsageError naming the option.
int IntegerOption(std::string_view option, const std::string& text, int low, int high);

}  // namespace morvanta::cli

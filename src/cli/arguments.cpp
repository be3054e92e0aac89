#include "cli/arguments.h"

#include <charconv>
#include <limits>

#include "cli/cli_error.h"
#include "cli/command_table.h"
#include "cli/messages.h"
#include "text/utf8_char.h"

namespace morvanta::cli {

namespace {

const OptionDef* FindOption(const CommandDef& command, std::string_view name) {
    for (const OptionDef& option : command.options)
        if (option.name == name) return &option;
    return nullptr;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& line) : line_(line) {}

    Arguments parse() {
        // What is not text cannot become a word or a file name the learner recognises.
        for (size_t i = 0; i < line_.size(); ++i)
            if (!text::IsValidUtf8(line_[i]))
                throw UsageError("Die " + std::to_string(i + 1) + ". Angabe ist kein gültiger UTF-8-Text.");
        bool wordsOnly = false;
        while (at_ < line_.size()) {
            const std::string& token = line_[at_++];
            if (!wordsOnly && token == "--") {
                wordsOnly = true;
            } else if (!wordsOnly && token.size() > 1 && token[0] == '-') {
                option(token);
            } else if (!args_.command) {
                args_.command = FindCommand(token);
                if (!args_.command) throw UsageError("Unbekannter Befehl " + Quoted(token) + ".");
            } else {
                args_.words.push_back(token);
            }
        }
        if (args_.command && !args_.help) checkWordCount();
        return args_;
    }

private:
    void option(const std::string& token) {
        const auto equals = token.find('=');
        const std::string name = token.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) inlineValue = token.substr(equals + 1);

        if (name == "--help" || name == "-h") {
            args_.help = true;
            return;
        }
        if (name == "--version" || name == "-V") {
            args_.version = true;
            return;
        }
        if (name == "--db") {
            if (args_.db) throw UsageError("--db ist mehrfach angegeben.");
            args_.db = takeValue(name, inlineValue);
            return;
        }
        if (!args_.command)
            throw UsageError("Die Option " + Quoted(name) + " gehört hinter einen Befehl.");
        const OptionDef* option = FindOption(*args_.command, name);
        if (!option)
            throw UsageError("Unbekannte Option " + Quoted(name) + " für " +
                             Quoted(args_.command->name) + ".");
        auto& values = args_.options[name];
        if (!values.empty() && !option->repeatable)
            throw UsageError("Die Option " + Quoted(name) + " ist mehrfach angegeben.");
        if (!option->takesValue) {
            if (inlineValue) throw UsageError("Die Option " + Quoted(name) + " nimmt keinen Wert.");
            values.emplace_back();
            return;
        }
        values.push_back(takeValue(name, inlineValue));
    }

    std::string takeValue(const std::string& name, const std::optional<std::string>& inlineValue) {
        if (inlineValue) return *inlineValue;
        if (at_ >= line_.size())
            throw UsageError("Die Option " + Quoted(name) + " braucht einen Wert.");
        return line_[at_++];
    }

    void checkWordCount() const {
        const CommandDef& command = *args_.command;
        const size_t count = args_.words.size();
        if (count < command.minWords)
            throw UsageError("Für " + Quoted(command.name) +
                             " fehlt etwas: " + std::string(command.synopsis) + ".");
        if (count > command.maxWords)
            throw UsageError("Zu viele Angaben für " + Quoted(command.name) + ": " +
                             Quoted(args_.words[command.maxWords]) + ".");
    }

    const std::vector<std::string>& line_;
    size_t at_ = 0;
    Arguments args_;
};

}  // namespace

std::optional<std::string> Arguments::value(std::string_view option) const {
    const auto it = options.find(option);
    if (it == options.end() || it->second.empty()) return std::nullopt;
    return it->second.back();
}

std::vector<std::string> Arguments::values(std::string_view option) const {
    const auto it = options.find(option);
    return it == options.end() ? std::vector<std::string>{} : it->second;
}

Arguments ParseArguments(const std::vector<std::string>& line) { return Parser(line).parse(); }

int IntegerOption(std::string_view option, const std::string& text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (!text.empty() && error == std::errc() && ptr == end && value >= low && value <= high)
        return value;
    const bool bounded =
        low != std::numeric_limits<int>::min() || high != std::numeric_limits<int>::max();
    const std::string range =
        bounded ? " von " + std::to_string(low) + " bis " + std::to_string(high) : std::string();
    throw UsageError("Die Option " + Quoted(option) + " erwartet eine ganze Zahl" + range +
                     ", nicht " + Quoted(text) + ".");
}

}  // namespace morvanta::cli

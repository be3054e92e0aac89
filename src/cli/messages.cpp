#include "cli/messages.h"

namespace morvanta::cli {

std::string Quoted(std::string_view name) { return "„" + std::string(name) + "“"; }

std::string TerminalText(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

}  // namespace morvanta::cli

#include "cli/messages.h"

#include "store/file_saver.h"

namespace morvanta::cli {


std::string NotSaved(std::string_view file, const store::FileSaveError& error) {
    const char* step = error.step() == store::FileSaveError::Step::Create ? "angelegt" : "geschrieben";
    return "Die Datei " + Quoted(file) + " konnte nicht " + step + " werden: " + error.reason() +
           ". Eine vorhandene Datei blieb, wie sie war.";
}

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

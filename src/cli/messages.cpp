#include "cli/messages.h"

#include <QLocale>

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
        const auto byte = static_cast<unsigned char>(text[i]);
        if (text[i] == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') out += '\n';
        } else if (text[i] != '\n' && text[i] != '\t' && (byte < 0x20 || byte == 0x7F)) {
            out += OneLineField(text.substr(i, 1));  // an escape sequence from a file stays inert
        } else {
            out += text[i];
        }
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

std::string OneLineField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unbekannter Fehler";
    }
}

std::string GermanCount(long long n) { return QLocale(QLocale::German).toString(n).toStdString(); }

}  // namespace morvanta::cli

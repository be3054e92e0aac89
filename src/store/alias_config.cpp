#include "store/alias_config.h"
#include "store/text_fold.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "store/engine_error.h"
#include "store/file_saver.h"
#include "store/system_reason.h"
#include "text/fast_strings.h"
#include "text/quoted.h"

namespace morvanta::store {

namespace fs = std::filesystem;

namespace {

// A line read on Linux from a file written on Windows still ends in '\r'.
std::string_view Trim(std::string_view s) { return text::TrimBlanks(s, " \t\r"); }

bool Printable(std::string_view s) {
    for (char c : s)
        if (c == '\n' || c == '\r' || c == '\0') return false;
    return true;
}

}  // namespace

AliasConfig::AliasConfig(fs::path file) : file_(std::move(file)) {}

fs::path AliasConfig::defaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (xdg != nullptr && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr && *home != '\0' ? home : ".") / ".config";
    }
    return base / "Morvanta" / "engine.ini";
}

void AliasConfig::setConfigModePersistent() {
    loaded_ = false;
    ensureLoaded();
}

void AliasConfig::ensureLoaded() const {
    if (loaded_) return;
    std::map<std::string, Params, std::less<>> aliases;
    std::error_code ec;
    if (fs::exists(file_, ec)) {
        std::ifstream in(file_, std::ios::binary);
        if (!in)
            throw EngineError(WithDetail(
                "Die Konfigurationsdatei " + QuotedPath(file_) + " kann nicht gelesen werden.",
                SystemReason(errno)));
        std::string line;
        Params* section = nullptr;
        int number = 0;
        auto malformed = [&](const std::string& why) {
            return EngineError("Die Konfigurationsdatei " + QuotedPath(file_) +
                               " ist fehlerhaft (Zeile " + std::to_string(number) + ": " + why +
                               ").");
        };
        while (std::getline(in, line)) {
            ++number;
            std::string_view text = Trim(line);
            if (text.empty() || text.front() == ';' || text.front() == '#') continue;
            if (text.front() == '[') {
                if (text.back() != ']' || text.size() < 3)
                    throw malformed("ungültige Abschnittsüberschrift");
                std::string name(Trim(text.substr(1, text.size() - 2)));
                if (name.empty()) throw malformed("ungültige Abschnittsüberschrift");
                for (const auto& [known, params] : aliases)
                    if (SameAsciiName(known, name)) throw malformed("Alias " + text::Quoted(name) + " doppelt");
                section = &aliases[name];
                continue;
            }
            size_t eq = text.find('=');
            if (eq == std::string_view::npos) throw malformed("NAME=Wert erwartet");
            if (section == nullptr) throw malformed("Eintrag außerhalb eines Alias-Abschnitts");
            std::string key(Trim(text.substr(0, eq)));
            if (key.empty()) throw malformed("leerer Parametername");
            (*section)[key] = std::string(Trim(text.substr(eq + 1)));
        }
        if (in.bad())
            throw EngineError("Die Konfigurationsdatei " + QuotedPath(file_) +
                              " kann nicht gelesen werden.");
    }
    aliases_ = std::move(aliases);
    loaded_ = true;
}

const std::string* AliasConfig::findAlias(std::string_view name) const {
    ensureLoaded();
    for (const auto& entry : aliases_)
        if (SameAsciiName(entry.first, name)) return &entry.first;
    return nullptr;
}

bool AliasConfig::isAliasKnown(std::string_view name) const { return findAlias(name) != nullptr; }

std::optional<AliasConfig::Params> AliasConfig::aliasParams(std::string_view name) const {
    const std::string* stored = findAlias(name);
    if (stored == nullptr) return std::nullopt;
    return aliases_.find(*stored)->second;
}

std::optional<std::string> AliasConfig::aliasParam(std::string_view alias, std::string_view name) const {
    const std::string* stored = findAlias(alias);
    if (stored == nullptr) return std::nullopt;
    for (const auto& [key, value] : aliases_.find(*stored)->second)
        if (SameAsciiName(key, name)) return value;
    return std::nullopt;
}

void AliasConfig::addStandardAlias(std::string_view name, const std::vector<std::string>& params) {
    std::string_view trimmed = Trim(name);
    if (trimmed.empty() || !Printable(trimmed) || trimmed.find_first_of("[]") != std::string::npos)
        throw EngineError("Ungültiger Alias-Name " + text::Quoted(name) + ".");
    if (isAliasKnown(trimmed))
        throw EngineError("Den Alias " + text::Quoted(trimmed) + " gibt es schon.");
    Params parsed;
    for (const std::string& param : params) {
        size_t eq = param.find('=');
        std::string key(eq == std::string::npos ? std::string_view{} : Trim(std::string_view(param).substr(0, eq)));
        // A name the reader would take for a section or a comment could not be read back.
        if (eq == std::string::npos || key.empty() || !Printable(param) ||
            key.find_first_of("[];#") == 0)
            throw EngineError("Ungültiger Alias-Parameter " + text::Quoted(param) + ": NAME=Wert erwartet.");
        parsed[key] = std::string(Trim(std::string_view(param).substr(eq + 1)));
    }
    aliases_[std::string(trimmed)] = std::move(parsed);
}

void AliasConfig::setAliasParam(std::string_view alias, std::string_view name, std::string_view value) {
    const std::string* stored = findAlias(alias);
    if (stored == nullptr)
        throw EngineError("Den Datenbank-Alias " + text::Quoted(alias) + " gibt es nicht.");
    const std::string key(Trim(name));
    if (key.empty() || !Printable(key) || !Printable(value) || key.find('=') != std::string::npos ||
        key.find_first_of("[];#") == 0)
        throw EngineError("Ungültiger Alias-Parameter " + text::Quoted(key) + ".");
    aliases_[*stored][key] = std::string(Trim(value));
}

void AliasConfig::saveConfig() {
    ensureLoaded();
    std::ostringstream out;
    for (const auto& [name, params] : aliases_) {
        out << '[' << name << "]\n";
        for (const auto& [key, value] : params) out << key << '=' << value << '\n';
        out << '\n';
    }
    const std::string text = out.str();
    auto fail = [&](const std::string& why) {
        return EngineError(WithDetail(
            "Die Konfigurationsdatei " + QuotedPath(file_) + " kann nicht gespeichert werden.",
            why));
    };
    std::error_code ec;
    fs::path folder = file_.parent_path();
    if (!folder.empty()) {
        fs::create_directories(folder, ec);
        if (ec) throw fail(SystemReason(ec.value()));
    }
    try {
        SaveFile(file_, text);
    } catch (const FileSaveError& e) {
        throw fail(e.reason());
    }
}

}  // namespace morvanta::store

#pragma once
// The engine's persistent configuration: named aliases, each with its
// parameters ("PATH", "DEFAULT DRIVER"), kept in an INI file.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::store {

// The alias under which the program and morvanta-cli find the learner's table.
inline constexpr char kVocabularyAlias[] = "Vokabel";

class AliasConfig {
public:
    using Params = std::map<std::string, std::string>;

    explicit AliasConfig(std::filesystem::path file);

    // ~/.config/Morvanta/engine.ini (XDG_CONFIG_HOME honoured).
    static std::filesystem::path defaultPath();

    const std::filesystem::path& file() const { return file_; }

    // Alias calls act on the persistent file from now on (reads it).
    // Throws EngineError when the file exists but cannot be read or is malformed.
    void setConfigModePersistent();
    bool isAliasKnown(std::string_view name) const;
    std::optional<Params> aliasParams(std::string_view name) const;
    // One parameter of an alias, its name compared without regard to case; nullopt
    // when the alias or the parameter is missing.
    std::optional<std::string> aliasParam(std::string_view alias, std::string_view name) const;
    // params as "NAME=value"; throws EngineError on a malformed entry or a known alias.
    void addStandardAlias(std::string_view name, const std::vector<std::string>& params);
    // Sets one parameter of a known alias (a setting of the program kept with it);
    // saveConfig() writes it. Throws EngineError for an unknown alias or a bad name.
    void setAliasParam(std::string_view alias, std::string_view name, std::string_view value);
    // Writes the file completely or not at all; throws EngineError on failure.
    void saveConfig();

private:
    // Reads the file once, on first use.
    void ensureLoaded() const;
    // The stored name of an alias (names compare case-insensitively), or nullptr.
    const std::string* findAlias(std::string_view name) const;

    std::filesystem::path file_;
    mutable std::map<std::string, Params, std::less<>> aliases_;
    mutable bool loaded_ = false;
};

}  // namespace morvanta::store

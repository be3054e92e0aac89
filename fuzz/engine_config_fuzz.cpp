// The engine configuration on any file: it is read or refused with an
// EngineError, and once read, a save with one alias more reads back with every
// alias as it was. The added alias takes the file's last line as a parameter,
// so parameters that do not fit the file's lines are tried too.
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "store/alias_config.h"
#include "store/engine_error.h"
#include "support/temp_table.h"

using namespace morvanta;

namespace {

constexpr std::string_view kAdded = "Fuzz Alias";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The names in the file's section headers "[name]".
std::vector<std::string> SectionNames(std::string_view text) {
    std::vector<std::string> names;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            names.emplace_back(Trim(line.substr(1, line.size() - 2)));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PreferRamDisk();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test::TempFolder folder;
    const auto file = folder.path() / "engine.ini";
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(input.data(), static_cast<std::streamsize>(size));

    store::AliasConfig config(file);
    try {
        config.setConfigModePersistent();
    } catch (const store::EngineError& e) {
        FUZZ_CHECK(std::string_view(e.what()).starts_with("The configuration file "));
        return 0;
    }
    std::vector<std::string> names = SectionNames(input);
    for (const std::string& name : names) FUZZ_CHECK(config.isAliasKnown(name));

    if (!config.isAliasKnown(kAdded)) {
        const std::string lastLine(input.substr(input.rfind('\n') + 1));
        try {
            config.addStandardAlias(kAdded, {"PATH=/fuzz", lastLine});
        } catch (const store::EngineError&) {
            config.addStandardAlias(kAdded, {"PATH=/fuzz"});  // the line is no NAME=value
        }
        names.emplace_back(kAdded);
    }
    config.saveConfig();

    store::AliasConfig again(file);
    again.setConfigModePersistent();
    for (const std::string& name : names) FUZZ_CHECK(again.aliasParams(name) == config.aliasParams(name));
    return 0;
}

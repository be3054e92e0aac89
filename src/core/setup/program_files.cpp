#include "core/setup/program_files.h"

namespace morvanta::setup {

namespace fs = std::filesystem;

fs::path SharedDataFolder(const fs::path& programFolder) {
    return (programFolder / ".." / "share" / "morvanta").lexically_normal();
}

fs::path ShippedFile(const fs::path& programFolder, std::string_view name) {
    const fs::path beside = programFolder / name;
    std::error_code ec;
    if (fs::exists(beside, ec)) return beside;
    const fs::path shared = SharedDataFolder(programFolder) / name;
    if (fs::exists(shared, ec)) return shared;
    return beside;
}

}  // namespace morvanta::setup

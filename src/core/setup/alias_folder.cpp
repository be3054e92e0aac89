#include "core/setup/alias_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "core/setup/program_files.h"
#include "store/engine_error.h"
#include "store/system_reason.h"
#include "store/vocabulary.h"
#include "store/vocabulary_template.h"

namespace morvanta::setup {

namespace fs = std::filesystem;

fs::path UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg == '/') return fs::path(xdg) / "Morvanta";
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr && *home != '\0' ? home : ".") / ".local" / "share" /
           "Morvanta";
}

bool CanCreateFilesIn(const fs::path& folder) {
    std::string probe = (folder / ".morvanta-XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

bool IsInstalled(const fs::path& programFolder) {
    std::error_code ec;
    return !fs::exists(programFolder / std::string(kShippedBesideProgram), ec) &&
           fs::is_directory(SharedDataFolder(programFolder), ec);
}

AliasFolder PrepareAliasFolder(const fs::path& programFolder, bool programFolderWritable,
                               const fs::path& userDataFolder) {
    if (programFolderWritable && !IsInstalled(programFolder)) return {programFolder / "Database", false};

    const fs::path folder = userDataFolder / "Database";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw store::EngineError(
            store::WithDetail("Der Ordner " + store::QuotedPath(folder) +
                                  " für die Vokabeln kann nicht angelegt werden.",
                              store::SystemReason(ec.value())));
    const fs::path table = folder / std::string(store::kTableFileName);
    const fs::path shipped = SharedDataFolder(programFolder) / std::string(store::kTableFileName);
    if (fs::exists(shipped, ec)) store::CopyVocabularyTemplate(shipped, table);
    else store::CreateVocabularyFile(table);
    return {folder, true};
}

}  // namespace morvanta::setup

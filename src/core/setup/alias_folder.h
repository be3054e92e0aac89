#pragma once
// The folder a new alias "Vokabel" names. A program run from its build folder
// keeps its table in "Database" beside it; an installed program's folder belongs
// to the system, so there the learner's table goes to their own data folder.

#include <filesystem>

namespace morvanta::setup {

struct AliasFolder {
    std::filesystem::path path;
    bool inUserData = false;  // the user's data folder, not the folder beside the program
};

// $XDG_DATA_HOME/Morvanta, by default ~/.local/share/Morvanta.
std::filesystem::path UserDataFolder();

// Whether a file can be created in folder, tried with a file that is removed at
// once: the permission bits alone do not tell about read-only mounts, network file
// systems or confinement.
bool CanCreateFilesIn(const std::filesystem::path& folder);

// An installed program: its shipped files are in <prefix>/share/morvanta, not
// beside it (as they are in the program's own build folder).
bool IsInstalled(const std::filesystem::path& programFolder);

// <programFolder>/Database when the program folder is writable and not an
// installed program's (whose folder is the system's, even where root may
// write into it). Else
// <userDataFolder>/Database, made ready: created, with the empty table shipped
// with the program copied in (made afresh when none is shipped) unless a table
// is there already. Throws store::EngineError.
AliasFolder PrepareAliasFolder(const std::filesystem::path& programFolder,
                               bool programFolderWritable,
                               const std::filesystem::path& userDataFolder);

}  // namespace morvanta::setup

#pragma once
// Files shipped with the program. Beside the executable in a build folder; an
// installed program keeps them in <prefix>/share/morvanta, its executable
// being in <prefix>/bin.

#include <filesystem>
#include <string_view>

namespace morvanta::setup {

// A file the build puts beside the program; an installed program has it in
// the shared data folder only.
inline constexpr std::string_view kShippedBesideProgram = "hirakata.txt";

// The learner's guide (German), shown by F1.
inline constexpr std::string_view kHelpFileName = "hilfe.html";

// <programFolder>/../share/morvanta
std::filesystem::path SharedDataFolder(const std::filesystem::path& programFolder);

// The file beside the program if it is there, else the one in the shared data
// folder if that is there, else the name beside the program (for the message
// that it is missing).
std::filesystem::path ShippedFile(const std::filesystem::path& programFolder,
                                  std::string_view name);

}  // namespace morvanta::setup

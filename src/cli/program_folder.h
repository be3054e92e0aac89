#pragma once
// The folder of the running executable, where the files laid beside the
// program (hirakata.txt) are.

#include <filesystem>

namespace morvanta::cli {

// Throws Refusal when the system does not say.
std::filesystem::path ProgramFolder();

}  // namespace morvanta::cli

#pragma once
// A word-list file read whole before anything of it is used.

#include <cstdint>
#include <filesystem>
#include <string>

namespace morvanta::foreign {

// Larger text files are no word lists; they are refused before they are read.
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{512} << 20;

// The file's bytes; throws ReadError (German, with the system's reason) when it
// cannot be read or is larger than `limit`.
std::string ReadFileBytes(const std::filesystem::path& file,
                          std::uintmax_t limit = kMaxTextFileBytes);

}  // namespace morvanta::foreign

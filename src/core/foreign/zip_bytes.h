#pragma once
// ZIP archives made in memory (libzip).

#include <string>
#include <vector>

namespace morvanta::foreign {

struct ZipEntry {
    std::string name;  // UTF-8, '/' between folders
    std::string bytes;
};

// The archive's bytes, each entry deflated. Throws std::runtime_error with a
// German message when libzip fails.
std::string ZipInMemory(const std::vector<ZipEntry>& entries);

}  // namespace morvanta::foreign

#include "core/kana_list_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace morvanta::exchange {

KanaListFileError::KanaListFileError(std::filesystem::path file, std::string reason)
    : std::runtime_error("Cannot open file \"" + file.string() + "\". " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

void LoadKanaListFile(KnownCharacters& known, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw KanaListFileError(file, std::strerror(errno));
    known.loadKanaList(in);
}

}  // namespace morvanta::exchange

#include "core/exchange/kana_list_file.h"

#include <cerrno>
#include <fstream>

#include "store/engine_error.h"
#include "store/system_reason.h"

namespace morvanta::exchange {

KanaListFileError::KanaListFileError(std::filesystem::path file, std::string reason)
    : std::runtime_error(store::WithDetail(
          "Die Datei " + store::QuotedPath(file) + " kann nicht geöffnet werden.", reason)),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

void LoadKanaListFile(KnownCharacters& known, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw KanaListFileError(file, store::SystemReason(errno));
    known.loadKanaList(in);
}

}  // namespace morvanta::exchange

#pragma once
// The kana list file (hirakata.txt) the kanji list starts from; it is shipped
// with the program (setup::ShippedFile finds it).

#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/exchange/rtf_kanji_list.h"

namespace morvanta::exchange {

inline constexpr char kKanaListFileName[] = "hirakata.txt";

// The file could not be opened; what() reads
// `Die Datei „<file>“ kann nicht geöffnet werden (<reason>).`
class KanaListFileError : public std::runtime_error {
public:
    KanaListFileError(std::filesystem::path file, std::string reason);
    const std::filesystem::path& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::filesystem::path file_;
    std::string reason_;
};

// Loads the kana list's lines into `known`. Throws KanaListFileError.
void LoadKanaListFile(KnownCharacters& known, const std::filesystem::path& file);

}  // namespace morvanta::exchange

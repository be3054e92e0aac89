#pragma once
// The quiz status file (.vad): six lines in code page 1252, each ended by CR LF:
// header, first SQL line, SelectionCount, DoneCount, current record number, AskQueue.
// A seventh line holds the words' rows, an eighth the direction when it is German
// to Japanese ("Richtung: Deutsch-Japanisch"); readers of six lines pass over both.
// Reader and writer work on bytes; the handlers open the files.

#include <stdexcept>
#include <cstdint>
#include <string>
#include <vector>
#include <string_view>

#include "core/stats/direction.h"

namespace morvanta::quiz {

inline constexpr char kStatusFileHeader[] = "Quorvik Morvanta Query File";

struct StatusFileContent {
    std::string sqlLine;  // UTF-8
    int selectionCount = 0;
    int doneCount = 0;
    int recNo = 0;
    std::string queueText;  // four hex digits per entry
    // The table rows of the current word and of every queue entry, in order, so the
    // same words are found again whatever their record numbers are then. Empty in
    // files that do not carry them.
    std::vector<std::int64_t> rowIds;
    // Which way the words were asked; files without it were asked Japanese to German.
    stats::Direction direction = stats::Direction::JapaneseToGerman;
};

// The first line is not the header.
class NotAStatusFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A line is missing or does not read; nothing of the file may be used.
class DamagedStatusFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws std::runtime_error when the SQL line holds a character code page 1252 lacks.
std::string WriteStatusFile(const StatusFileContent& content);

// Reads and checks the whole file before anything is used.
StatusFileContent ReadStatusFile(std::string_view bytes);

}  // namespace morvanta::quiz

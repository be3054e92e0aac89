#pragma once
// The words of a file from another trainer, as read and before anything is
// decided about them: named columns and rows of plain UTF-8 text (HTML already
// reduced to text). Which column becomes which field of a word is the column
// mapping's business; the readers only read.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvanta::foreign {

struct SourceSheet {
    std::string format;                          // "CSV", "TSV", "KVTML", "Anki-Paket": for messages
    std::vector<std::string> columns;            // field names; "Spalte 3" where the file names none
    std::vector<std::vector<std::string>> rows;  // each exactly columns.size() cells
    // Where each row stands in the file, for messages ("Zeile 12"); the row's
    // position from 1 where this is empty.
    std::string rowWord = "Zeile";
    std::vector<int> rowNumbers;
    std::vector<std::string> remarks;            // what the preview should say besides the words
                                                 // ("7 Mediendateien werden nicht übernommen.")
};

// A file that cannot be read as a whole: the message is German and names the
// line, element or part of the file. A reader that throws has read nothing.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace morvanta::foreign

#pragma once
// Cells of the program's CSV files (semicolons, CR LF), as spreadsheets read them.

#include <ostream>
#include <string>
#include <string_view>

namespace morvanta::text {

// One cell, quoted when it holds a semicolon, a quote or a line break, then ";"
// or, for the last cell of a row, CR LF.
void WriteCsvCell(std::ostream& out, std::string_view value, bool last);

// A learner's text that a spreadsheet would take for a formula (= + - @, or a
// tab or line start in front) gets an apostrophe in front, the common rule that
// keeps it plain text.
std::string SpreadsheetInert(std::string_view text);

// The text a cell written by SpreadsheetInert stood for: the apostrophe in
// front of a formula character taken off again.
std::string FromSpreadsheetInert(std::string text);

}  // namespace morvanta::text

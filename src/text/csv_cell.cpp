#include "text/csv_cell.h"

namespace morvanta::text {

void WriteCsvCell(std::ostream& out, std::string_view value, bool last) {
    if (value.find_first_of(";\"\r\n") == std::string_view::npos) {
        out << value;
    } else {
        out << '"';
        for (char c : value) {
            if (c == '"') out << '"';
            out << c;
        }
        out << '"';
    }
    out << (last ? "\r\n" : ";");
}

namespace {

// What a spreadsheet takes for the start of a formula.
constexpr std::string_view kFormulaStart = "=+-@\t\r";

}  // namespace

std::string SpreadsheetInert(std::string_view text) {
    if (!text.empty() && kFormulaStart.find(text.front()) != std::string_view::npos)
        return "'" + std::string(text);
    return std::string(text);
}

std::string FromSpreadsheetInert(std::string text) {
    if (text.size() > 1 && text[0] == '\'' && kFormulaStart.find(text[1]) != std::string_view::npos)
        text.erase(0, 1);
    return text;
}

}  // namespace morvanta::text

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

std::string SpreadsheetInert(std::string_view text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        return "'" + std::string(text);
    return std::string(text);
}

}  // namespace morvanta::text

#pragma once
// The statement behind "Suchen": the search text becomes a literal of the
// engine's dialect, compared with the fields of the chosen entry.

#include <string>
#include <string_view>

namespace morvanta::entry {

// The text as a literal of the dialect. Ordinarily "text"; a double quote
// inside is doubled. A text that names a field would be read as that field,
// so it is written as a single-quoted literal instead.
std::string SearchLiteral(std::string_view text);

// The whole statement for an entry of the field list ("Translation", "Lektion",
// "Typ", "Beschreibung", "Hepburn"); any other entry (none chosen) selects all.
std::string SearchSql(std::string_view entry, std::string_view text);

}  // namespace morvanta::entry

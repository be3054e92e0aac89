#pragma once
// Pieces of the German messages the terminal shows.

#include <string>
#include <string_view>

namespace morvanta::store {
class FileSaveError;
}

namespace morvanta::cli {

// „name“
std::string Quoted(std::string_view name);

// An output file that could not be written, and that a former file stayed as it was.
std::string NotSaved(std::string_view file, const store::FileSaveError& error);

// A text of the window's (lines broken by CR LF or CR) for the terminal: LF
// line ends, no empty lines at the end.
std::string TerminalText(std::string_view text);

}  // namespace morvanta::cli

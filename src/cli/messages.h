#pragma once
// Pieces of the German messages the terminal shows.

#include <string>
#include <string_view>

namespace morvanta::cli {

// „name“
std::string Quoted(std::string_view name);

// A text of the window's (lines broken by CR LF or CR) for the terminal: LF
// line ends, no empty lines at the end.
std::string TerminalText(std::string_view text);

}  // namespace morvanta::cli

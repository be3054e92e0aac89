#pragma once
// Pieces of the German messages the terminal shows.

#include <exception>
#include <string>
#include <string_view>
#include "text/quoted.h"

namespace morvanta::store {
class FileSaveError;
}

namespace morvanta::cli {

// „name“
using text::Quoted;  // „name“

// An output file that could not be written, and that a former file stayed as it was.
std::string NotSaved(std::string_view file, const store::FileSaveError& error);

// A text of the window's (lines broken by CR LF or CR) for the terminal: LF
// line ends, no empty lines at the end, other control characters written out
// as by OneLineField().
std::string TerminalText(std::string_view text);

// A field on one line of output: control characters (tab, line breaks, escape
// sequences a file may hold) written as \t, \n, \r or \xHH, and a backslash
// doubled, so that every line is one record and nothing reaches the terminal raw.
std::string OneLineField(std::string_view text);

// What an error says (its what()), for an error carried out of a run.
std::string ErrorText(const std::exception_ptr& error);

// A count as German text: 12.345.
std::string GermanCount(long long n);

}  // namespace morvanta::cli

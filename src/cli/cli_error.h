#pragma once
// How a command ends early, and the exit code a script sees for it.

#include <stdexcept>

namespace morvanta::cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitRefused = 1,  // refused or failed work, bad input, damaged file, cancelled
    kExitUsage = 2,    // the command line does not read
};

// The command line does not read; the message names what is wrong (German).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The work was refused or failed; the message says why (German).
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace morvanta::cli

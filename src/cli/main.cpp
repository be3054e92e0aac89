// morvanta-cli: the program's core from a terminal.

#include <cerrno>
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/cli_error.h"
#include "cli/command_table.h"
#include "store/system_reason.h"

namespace {

using namespace morvanta::cli;

int Run(const std::vector<std::string>& line) {
    const Arguments args = ParseArguments(line);
    if (args.version) {
        std::cout << "morvanta-cli " MORVANTA_VERSION "\n";
        return kExitOk;
    }
    if (!args.command) {
        if (args.help) {
            std::cout << ProgramHelp();
            return kExitOk;
        }
        throw UsageError("Kein Befehl angegeben.");
    }
    if (args.help) {
        std::cout << CommandHelp(*args.command);
        return kExitOk;
    }
    return args.command->run(args);
}

}  // namespace

int main(int argc, char** argv) {
    // System messages (a file's reason for not opening) in the user's language.
    std::setlocale(LC_MESSAGES, "");
    const std::vector<std::string> line(argv + 1, argv + argc);
    int code = kExitRefused;
    try {
        code = Run(line);
    } catch (const UsageError& e) {
        std::cerr << "morvanta-cli: " << e.what() << "\nHilfe: morvanta-cli --help\n";
        code = kExitUsage;
    } catch (const Refusal& e) {
        std::cerr << e.what() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "Fehler: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "Unbekannter Fehler.\n";
    }
    // What could not be written (a full disk, a closed pipe) is no success.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "Fehler: Die Ausgabe konnte nicht geschrieben werden: " << morvanta::store::SystemReason(errno)
                  << "\n";
        return kExitRefused;
    }
    return code;
}

#include "support/bench_support.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace morvanta::test {

std::unique_ptr<TempTable> MakeFilledTable(int words) {
    auto table = MakeTempTable();
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("cannot start the process that fills the table");
    if (child == 0) {
        InsertGeneratedWords(table->tableFile, words);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("filling the table failed");
    return table;
}

long ProcStatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    const std::string prefix(key);
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    return 0;
}

}  // namespace morvanta::test

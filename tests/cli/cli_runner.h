#pragma once
// Runs morvanta-cli as a process: arguments, text on stdin, environment.

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace morvanta::clitest {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

// MORVANTA_CLI is the built program, set by the build.
inline CliRun RunCli(
    const std::vector<std::string>& args, const std::string& input = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MORVANTA_CLI), list);
    CliRun run;
    if (!process.waitForStarted()) return run;
    process.write(input.data(), qint64(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(120000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// With --db naming the table file.
inline CliRun RunOn(const std::filesystem::path& tableFile, std::vector<std::string> args,
                    const std::string& input = {}) {
    args.insert(args.begin(), {"--db", tableFile.string()});
    return RunCli(args, input);
}

inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace morvanta::clitest

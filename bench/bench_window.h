#pragma once
// The main window as the program builds it, offscreen, on a benchmark's table:
// scripted dialogs (file answers instead of file dialogs), the kana list file
// beside the program, and output files on memory-backed storage where there is
// one, so a timed export shows the program's work rather than the disk's mood.

#include <QApplication>
#include <QFile>
#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>

#include "app/tform1.h"
#include "platform/dialogs.h"
#include "store/database.h"
#include "support/temp_table.h"

namespace morvanta::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

struct BenchWindow {
    explicit BenchWindow(std::unique_ptr<test::TempTable> tableToShow) : table(std::move(tableToShow)) {
        const QString programDir = QString::fromStdString(table->folder.path().string());
        QFile::copy(QStringLiteral(MORVANTA_DATA_DIR "/hirakata.txt"), programDir + QStringLiteral("/hirakata.txt"));
        form = std::make_unique<app::TForm1>(app::TForm1Options{table->configFile, programDir, &dialogs});
        form->show();
        QApplication::processEvents();
        requireNoMessage("start-up");
        // The check of the table for damage starts once the window shows; its verdict
        // is awaited here, so that it does not run beside what is timed.
        form->session().connect("Vokabel")->awaitCheck();
    }
    // A benchmark that met a message measures something else than it means to.
    void requireNoMessage(const std::string& step) {
        if (!dialogs.messages.isEmpty())
            throw std::runtime_error(step + ": " + dialogs.messages.front().text.toStdString());
    }
    std::unique_ptr<test::TempTable> table;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<app::TForm1> form;
};

// A file of this run on memory-backed storage (or in `fallback`).
inline std::string OutputFile(const std::filesystem::path& fallback, const std::string& name) {
    static const bool shm = std::filesystem::is_directory("/dev/shm");
    const std::string unique = "morvanta_bench_" + std::to_string(getpid()) + "_" + name;
    return shm ? "/dev/shm/" + unique : (fallback / unique).string();
}

}  // namespace morvanta::bench

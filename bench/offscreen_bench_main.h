#pragma once
// main() of the benchmarks that need widgets: an offscreen QApplication around
// the benchmark run; `cleanUp` releases windows before the application ends.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <functional>

namespace morvanta::bench {

inline int RunOffscreenBenchmarks(int argc, char** argv, const std::function<void()>& cleanUp = {}) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (cleanUp) cleanUp();
    return 0;
}

}  // namespace morvanta::bench

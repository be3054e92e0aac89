// Test runner for what draws without widgets: one QGuiApplication, so a test
// that reached for a widget would fail to run.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QStandardPaths::setTestModeEnabled(true);
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

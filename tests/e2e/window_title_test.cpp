// The title the X server holds for the main window (what a window manager shows
// in its title bar) is the caption alone. Runs the program under its own Xvfb;
// skipped where Xvfb or the X utilities are missing.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "store/vocabulary.h"

namespace morvanta {
namespace {

QString Output(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The id of the top-level window with this name, or empty while there is none.
QString WindowNamed(const QString& name, const QProcessEnvironment& env) {
    for (const QString& line :
         Output(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}, env)
             .split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1Char('"') + name))
            return line.trimmed().section(QLatin1Char(' '), 0, 0);
    }
    return {};
}

TEST(WindowTitle, TheWindowSystemHoldsTheCaptionAlone) {
    for (const char* tool : {"Xvfb", "xwininfo", "xprop"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is missing";
    QTemporaryDir dir;
    // A program folder of its own with a table, and the alias naming it.
    const QString program = dir.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("/Database")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MORVANTA_APP), program + QStringLiteral("/Morvanta")));
    store::CreateVocabularyFile((program + QStringLiteral("/Database/Vokabel.DB")).toStdString());
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("config/Morvanta"))));
    QFile ini(dir.filePath(QStringLiteral("config/Morvanta/engine.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Vokabel]\nDEFAULT DRIVER=PARADOX\nPATH=" +
              (program + QStringLiteral("/Database")).toUtf8() + "\n");
    ini.close();

    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(xvfb.waitForReadyRead(10000)) << "Xvfb did not start";
    const QString display = QLatin1Char(':') + QString::fromLatin1(xvfb.readLine()).trimmed();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    QProcess app;
    app.setProcessEnvironment(env);
    app.start(program + QStringLiteral("/Morvanta"));
    QString id;
    for (int i = 0; i < 100 && id.isEmpty(); ++i) {
        QThread::msleep(100);
        id = WindowNamed(QStringLiteral("Quorvik"), env);
    }
    ASSERT_FALSE(id.isEmpty()) << "no window appeared";
    EXPECT_EQ(Output(QStringLiteral("xprop"),
                     {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_NAME")}, env)
                  .trimmed()
                  .toStdString(),
              "_NET_WM_NAME(UTF8_STRING) = \"Quorvik Morvanta  --- BETA\"");
    app.kill();
    app.waitForFinished();
    xvfb.kill();
    xvfb.waitForFinished();
}

}  // namespace
}  // namespace morvanta

// The program as a learner installs it: `cmake --install` into a temporary
// prefix, its first start there, and the Debian package CPack makes of it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>

#include "store/data_set.h"
#include "store/session.h"
#include "support/temp_table.h"

namespace morvanta {
namespace {

namespace fs = std::filesystem;

const QString kAppId = QStringLiteral("de.morvanta.Morvanta");

struct Result {
    int code = -1;
    QString output;
};

Result RunTool(const QString& program, const QStringList& args, int timeoutMs = 120000) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {-1, program + QStringLiteral(" did not finish")};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

// Every file an installation holds, under <prefix>.
void ExpectInstalledFiles(const QString& prefix) {
    QStringList files = {
        QStringLiteral("bin/Morvanta"), QStringLiteral("bin/morvanta-cli"),
        QStringLiteral("share/morvanta/hirakata.txt"), QStringLiteral("share/morvanta/Vokabel.DB"),
        QStringLiteral("share/applications/%1.desktop").arg(kAppId),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(kAppId),
        QStringLiteral("share/morvanta/hilfe.html"), QStringLiteral("share/doc/morvanta/copyright"),
        QStringLiteral("share/doc/morvanta/changelog.gz"), QStringLiteral("share/man/man1/Morvanta.1.gz"),
        QStringLiteral("share/man/man1/morvanta-cli.1.gz")};
    for (const QString& file : files)
        EXPECT_TRUE(QFile::exists(prefix + QLatin1Char('/') + file)) << file.toStdString();
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString png = prefix + QStringLiteral("/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId);
        EXPECT_EQ(QImageReader(png).size(), QSize(size, size)) << png.toStdString();
    }
    EXPECT_TRUE(QFileInfo(prefix + QStringLiteral("/bin/Morvanta")).isExecutable());
}

class Installed : public ::testing::Test {
protected:
    // One installation for every test of the suite.
    static void SetUpTestSuite() {
        root_ = new QTemporaryDir;
        const Result install = RunTool(QStringLiteral(MORVANTA_CMAKE),
                                   {QStringLiteral("--install"), QStringLiteral(MORVANTA_BUILD_DIR),
                                    QStringLiteral("--prefix"), prefix()});
        installOutput_ = new QString(install.output);
        installed_ = install.code == 0;
    }
    static void TearDownTestSuite() {
        delete root_;
        delete installOutput_;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << installOutput_->toStdString(); }
    static QString prefix() { return root_->filePath(QStringLiteral("usr")); }

    static inline QTemporaryDir* root_ = nullptr;
    static inline QString* installOutput_ = nullptr;
    static inline bool installed_ = false;
};

TEST_F(Installed, HoldsEveryFileAndAValidMenuEntry) {
    ExpectInstalledFiles(prefix());

    // The menu entry starts the installed program and shows the installed icon.
    QFile desktop(prefix() + QStringLiteral("/share/applications/%1.desktop").arg(kAppId));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(desktop.readAll()).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Exec=Morvanta")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Icon=") + kAppId));

    const QString validate = Tool("desktop-file-validate");
    if (!validate.isEmpty()) {
        const Result r = RunTool(validate, {desktop.fileName()});
        EXPECT_EQ(r.code, 0) << r.output.toStdString();
        EXPECT_TRUE(r.output.trimmed().isEmpty()) << r.output.toStdString();
    }
    const QString appstream = Tool("appstreamcli");
    if (!appstream.isEmpty()) {
        const Result r = RunTool(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                         prefix() + QStringLiteral("/share/metainfo/%1.metainfo.xml").arg(kAppId)});
        EXPECT_EQ(r.code, 0) << r.output.toStdString();
    }
    if (validate.isEmpty() || appstream.isEmpty())
        GTEST_SKIP() << "not validated: desktop-file-validate (desktop-file-utils) or appstreamcli "
                        "(appstream) is missing";
}

TEST_F(Installed, FirstStartWithAReadOnlyProgramFolderKeepsTheWordsInTheDataFolder) {
    // Root writes anywhere: the program then runs as "nobody", for whom the
    // installed folders are read-only, as they are for a learner.
    const bool root = ::geteuid() == 0;
    const QString setpriv = Tool("setpriv");
    if (root && setpriv.isEmpty()) GTEST_SKIP() << "setpriv (util-linux) is missing";
    QTemporaryDir homeDir;
    const QString home = homeDir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    const QString bin = prefix() + QStringLiteral("/bin");
    if (root) {
        for (const QString& folder : {root_->path(), homeDir.path()})
            fs::permissions(folder.toStdString(), fs::perms::others_read | fs::perms::others_exec,
                            fs::perm_options::add);
        ASSERT_EQ(::chown(home.toLocal8Bit().constData(), 65534, 65534), 0);
    } else {
        fs::permissions(bin.toStdString(), fs::perms::owner_write, fs::perm_options::remove);
    }

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    program.setProcessEnvironment(env);
    if (root)
        program.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"), QStringLiteral("--"),
                                bin + QStringLiteral("/Morvanta")});
    else
        program.start(bin + QStringLiteral("/Morvanta"));
    ASSERT_TRUE(program.waitForStarted());

    // The alias is saved before its message shows; the message waits for a click.
    QFile ini(home + QStringLiteral("/config/Morvanta/engine.ini"));
    QString saved;
    for (int i = 0; i < 200 && !saved.contains(QStringLiteral("PATH=")); ++i) {
        QThread::msleep(50);
        if (ini.open(QIODevice::ReadOnly)) {
            saved = QString::fromUtf8(ini.readAll());
            ini.close();
        }
    }
    program.kill();
    program.waitForFinished();
    if (!root) fs::permissions(bin.toStdString(), fs::perms::owner_write, fs::perm_options::add);

    const QString folder = home + QStringLiteral("/data/Morvanta/Database");
    EXPECT_TRUE(saved.split(QLatin1Char('\n')).contains(QStringLiteral("PATH=") + folder))
        << saved.toStdString() << program.readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(bin + QStringLiteral("/Database")));
    store::AliasConfig config(fs::path((home + QStringLiteral("/config/Morvanta/engine.ini")).toStdString()));
    config.setConfigModePersistent();
    store::Session session(config);
    store::Table table(session, "Vokabel", "Vokabel.DB");
    table.open();
    table.insertRecord(test::GeneratedWord(1));
    EXPECT_EQ(table.recordCount(), 1);
}

// The debug build packaged as it is (stripped) into `dir`; gzip is quicker than
// the release's xz. Empty, with the failure added, when CPack fails.
QString MakePackage(const QTemporaryDir& dir) {
    const Result cpack = RunTool(QStringLiteral(MORVANTA_CPACK),
                             {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                              QStringLiteral(MORVANTA_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                              dir.path(), QStringLiteral("-D"),
                              QStringLiteral("CPACK_DEBIAN_COMPRESSION_TYPE=gzip")});
    EXPECT_EQ(cpack.code, 0) << cpack.output.toStdString();
    const QStringList debs = QDir(dir.path()).entryList({QStringLiteral("morvanta_*.deb")});
    EXPECT_EQ(debs.size(), 1) << cpack.output.toStdString();
    return debs.size() == 1 && cpack.code == 0 ? dir.filePath(debs.front()) : QString();
}

TEST(Package, UnpacksWithItsFilesAndDependencies) {
    for (const char* tool : {"dpkg", "dpkg-deb"})
        if (Tool(tool).isEmpty()) GTEST_SKIP() << tool << " is missing";
    QTemporaryDir dir;
    const QString deb = MakePackage(dir);
    ASSERT_FALSE(deb.isEmpty());

    const QString unpacked = dir.filePath(QStringLiteral("root"));
    const Result x = RunTool(QStringLiteral("dpkg"), {QStringLiteral("-x"), deb, unpacked});
    ASSERT_EQ(x.code, 0) << x.output.toStdString();
    ExpectInstalledFiles(unpacked + QStringLiteral("/usr"));

    auto field = [&](const char* name) {
        return RunTool(QStringLiteral("dpkg"), {QStringLiteral("-f"), deb, QString::fromLatin1(name)})
            .output.trimmed();
    };
    EXPECT_EQ(field("Package"), QStringLiteral("morvanta"));
    // The linked libraries as dpkg-shlibdeps finds them, plus what is loaded or shown unlinked.
    const QString depends = field("Depends");
    for (const char* package : {"libqt6widgets6", "libqt6printsupport6", "libqt6charts6", "libsqlite3-0",
                                "libzip4", "libzstd1", "qt6-qpa-plugins", "fonts-noto-cjk",
                                "fonts-liberation2", "qt6-translations-l10n"})
        EXPECT_TRUE(depends.contains(QString::fromLatin1(package))) << package << " in " << depends.toStdString();
    EXPECT_FALSE(depends.contains(QStringLiteral("libqt6xml6"))) << depends.toStdString();
    EXPECT_EQ(field("Recommends"), QStringLiteral("dict-freedict-jpn-deu, wngerman"));

    const QString lintian = Tool("lintian");
    if (lintian.isEmpty()) GTEST_SKIP() << "not checked: lintian is missing";
    const Result lint = RunTool(lintian, {QStringLiteral("--fail-on"), QStringLiteral("error"), deb}, 300000);
    EXPECT_EQ(lint.code, 0) << lint.output.toStdString();
}

// A minimal Debian 12 made by debootstrap once and kept, copied afresh for each run.
const char* const kFreshRootCache = "/var/cache/morvanta-test/bookworm-minbase";

// The package installed into a fresh minimal Debian with nothing but what it
// depends on (fonts above all), and the window checked there at its smallest:
// no text clipped on any page, no chart label cut. Needs root, debootstrap and
// Debian's archive; skipped where any of them is missing.
TEST(FreshDebian, ThePackageAloneGivesAWindowThatClipsNothing) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root (chroot)";
    if (Tool("debootstrap").isEmpty() || Tool("chroot").isEmpty()) GTEST_SKIP() << "debootstrap is missing";
    if (qEnvironmentVariableIsSet("MORVANTA_NO_FRESH_ROOT")) GTEST_SKIP() << "MORVANTA_NO_FRESH_ROOT is set";
    const QString cache = QString::fromLatin1(kFreshRootCache);
    if (!QFileInfo::exists(cache + QStringLiteral("/usr/bin/apt-get"))) {
        const QString made = cache + QStringLiteral(".new");
        RunTool(QStringLiteral("rm"), {QStringLiteral("-rf"), made});
        const Result boot = RunTool(Tool("debootstrap"),
                                    {QStringLiteral("--variant=minbase"), QStringLiteral("bookworm"), made,
                                     QStringLiteral("http://deb.debian.org/debian")},
                                    900000);
        if (boot.code != 0) GTEST_SKIP() << "debootstrap could not run here:\n" << boot.output.right(600).toStdString();
        ASSERT_TRUE(QDir().rename(made, cache));
    }
    QTemporaryDir work;
    const QString root = work.filePath(QStringLiteral("root"));
    ASSERT_EQ(RunTool(QStringLiteral("cp"), {QStringLiteral("-a"), cache, root}).code, 0);
    const QString deb = MakePackage(work);
    ASSERT_FALSE(deb.isEmpty());
    ASSERT_TRUE(QFile::copy(deb, root + QStringLiteral("/tmp/morvanta.deb")));
    QFile::remove(root + QStringLiteral("/etc/resolv.conf"));
    QFile::copy(QStringLiteral("/etc/resolv.conf"), root + QStringLiteral("/etc/resolv.conf"));
    const auto inRoot = [&](QStringList command, int timeoutMs = 600000) {
        command.prepend(root);
        return RunTool(Tool("chroot"), command, timeoutMs);
    };
    const Result update = inRoot({QStringLiteral("apt-get"), QStringLiteral("update")});
    if (update.code != 0) GTEST_SKIP() << "Debian's archive cannot be reached:\n" << update.output.right(600).toStdString();
    // The package with what it depends on, nothing recommended; the checks' own Qt Test beside it.
    const Result install = inRoot({QStringLiteral("env"), QStringLiteral("DEBIAN_FRONTEND=noninteractive"),
                                   QStringLiteral("apt-get"), QStringLiteral("install"), QStringLiteral("-y"),
                                   QStringLiteral("--no-install-recommends"), QStringLiteral("/tmp/morvanta.deb"),
                                   QStringLiteral("libqt6test6")});
    // The archive going away mid-way is the network's fault, not the package's.
    for (const char* unreachable : {"Failed to fetch", "Temporary failure resolving", "Could not connect"})
        if (install.code != 0 && install.output.contains(QString::fromLatin1(unreachable)))
            GTEST_SKIP() << "Debian's archive went away:\n" << install.output.right(600).toStdString();
    ASSERT_EQ(install.code, 0) << install.output.right(2000).toStdString();
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf")));

    // The window's own checks, run there: the pages at 586x520 and every chart label.
    const QString pictures = QStringLiteral(MORVANTA_BUILD_DIR "/fresh-debian");
    QDir().mkpath(pictures);
    QDir().mkpath(root + QStringLiteral("/tmp/pictures"));
    const QStringList checks = {QStringLiteral(MORVANTA_APP_TESTS), QStringLiteral(MORVANTA_STATISTICS_TESTS)};
    const QStringList filters = {QStringLiteral("--gtest_filter=Legibility.*"),
                                 QStringLiteral("--gtest_filter=*EveryChartLabelIsWhole*")};
    for (int i = 0; i < checks.size(); ++i) {
        const QString inside = QStringLiteral("/tmp/") + QFileInfo(checks[i]).fileName();
        ASSERT_TRUE(QFile::copy(checks[i], root + inside));
        const Result run = inRoot({QStringLiteral("env"), QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                                   QStringLiteral("HOME=/tmp"), QStringLiteral("MORVANTA_PICTURES=/tmp/pictures"),
                                   inside, filters.value(i)});
        EXPECT_EQ(run.code, 0) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << run.output.toStdString();
    }
    for (const QString& picture : QDir(root + QStringLiteral("/tmp/pictures")).entryList(QDir::Files)) {
        QFile::remove(pictures + QLatin1Char('/') + picture);
        QFile::copy(root + QStringLiteral("/tmp/pictures/") + picture, pictures + QLatin1Char('/') + picture);
    }
}

}  // namespace
}  // namespace morvanta

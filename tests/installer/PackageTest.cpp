// The Debian package unpacked into a temporary root (dpkg -x) and its programs started from there.

#include <gtest/gtest.h>

#include <memory>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ProcessRun
{
    int exitCode = -1;
    QString output;
};

ProcessRun run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return ProcessRun{-1, QString::fromLocal8Bit(p.readAllStandardError())};
    return ProcessRun{p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
}

class PackageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        const QFileInfoList debs = QDir(QStringLiteral(VELKORA1_PACKAGE_DIR))
                                       .entryInfoList({QStringLiteral("*.deb")}, QDir::Files, QDir::Time);
        ASSERT_FALSE(debs.isEmpty()) << "no package in " VELKORA1_PACKAGE_DIR;
        s_package = debs.first().absoluteFilePath();
        s_root = std::make_unique<QTemporaryDir>();
        const ProcessRun unpacked = run(QStringLiteral("dpkg"), {"-x", s_package, s_root->path()});
        ASSERT_EQ(unpacked.exitCode, 0) << unpacked.output.toStdString();
    }

    static void TearDownTestSuite() { s_root.reset(); }

    static QString installed(const QString &path) { return s_root->path() + QStringLiteral("/usr/") + path; }

    static QString s_package;
    static std::unique_ptr<QTemporaryDir> s_root;
};
QString PackageTest::s_package;
std::unique_ptr<QTemporaryDir> PackageTest::s_root;

TEST_F(PackageTest, HoldsTheProgramsTheLibraryTheDesktopEntryAndTheReadme)
{
    for (const QString &path :
         {QStringLiteral(INSTALL_BINDIR "/velkora1IB"), QStringLiteral(INSTALL_BINDIR "/velkora1db"),
          QStringLiteral(INSTALL_BINDIR "/sorvel1"), QStringLiteral(INSTALL_LIBDIR "/libSorvel1.so"),
          QStringLiteral("share/applications/velkora1IB.desktop"),
          QStringLiteral("share/icons/hicolor/scalable/apps/velkora1IB.svg"),
          QStringLiteral("share/doc/velkora1ib/README.md")})
        EXPECT_TRUE(QFile::exists(installed(path))) << path.toStdString();

    QFile entry(installed(QStringLiteral("share/applications/velkora1IB.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    // The menu starts the installed program and finds the installed icon by name.
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=velkora1IB\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nIcon=velkora1IB\n")));
}

TEST_F(PackageTest, DatabaseToolStartsFromTheUnpackedTree)
{
    const ProcessRun help = run(installed(QStringLiteral(INSTALL_BINDIR "/velkora1db")), {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.output.toStdString();
    EXPECT_TRUE(help.output.contains(QStringLiteral("velkora1db create DATABASE"))) << help.output.toStdString();
}

// The front end finds the library of its own tree; no libSorvel1.so is installed on the system.
TEST_F(PackageTest, InstallerFrontEndFindsItsLibraryInTheUnpackedTree)
{
    const ProcessRun check = run(installed(QStringLiteral(INSTALL_BINDIR "/sorvel1")), {QStringLiteral("verify-client")});
    EXPECT_EQ(check.exitCode, 1) << check.output.toStdString();
}

TEST_F(PackageTest, DependsOnTheClientLibraryTheEngineAndQt)
{
    const ProcessRun depends = run(QStringLiteral("dpkg-deb"), {"-f", s_package, "Depends"});
    ASSERT_EQ(depends.exitCode, 0) << depends.output.toStdString();
    for (const char *package : {"libfbclient2", "firebird3.0-server-core", "libqt6widgets6", "libqt6core6", "libc6"})
        EXPECT_TRUE(depends.output.contains(QLatin1String(package)))
            << package << " missing from: " << depends.output.toStdString();
}

} // namespace

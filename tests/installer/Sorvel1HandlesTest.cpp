// An installer that calls the library again and again must not collect descriptors or copies of the
// client library. This program links no client library, so each call really loads and unloads it.

#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>

#include <QFile>
#include <QProcess>

#include "Sorvel1Library.h"

namespace {

const std::string kServer = VELKORA1_TEST_SERVER;
const std::string kPassword = VELKORA1_TEST_SYSDBA_PASSWORD;
const QString kRoot = QStringLiteral(VELKORA1_TEST_SERVER_ROOT);

int openDescriptors()
{
    int n = 0;
    if (DIR *d = opendir("/proc/self/fd")) {
        while (readdir(d))
            ++n;
        closedir(d);
    }
    return n;
}

bool clientLibraryLoaded()
{
    void *handle = dlopen("libfbclient.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

bool runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(VELKORA1DB_PROGRAM),
               arguments + QStringList{"--user", "SYSDBA", "--password", QString::fromStdString(kPassword)});
    return tool.waitForFinished(120000) && tool.exitCode() == 0;
}

TEST(Sorvel1HandlesTest, EveryCallReleasesTheClientLibraryAndItsDescriptors)
{
    Sorvel1Library lib;
    ASSERT_TRUE(lib.loaded()) << lib.error();
    ASSERT_FALSE(clientLibraryLoaded());

    const QString source = kRoot + QStringLiteral("/handles_source.fdb");
    const std::string backup = (kRoot + QStringLiteral("/handles.fbk")).toStdString();
    const std::string notABackup = (kRoot + QStringLiteral("/handles_notabackup.fbk")).toStdString();
    const std::string database = (kRoot + QStringLiteral("/handles_restored.fdb")).toStdString();
    QFile::remove(source);
    QFile::remove(QString::fromStdString(backup));
    ASSERT_TRUE(runTool({"create", QString::fromStdString(kServer) + ':' + source}));
    ASSERT_TRUE(runTool({"backup", QString::fromStdString(kServer) + ':' + source, QString::fromStdString(backup)}));
    QFile text(QString::fromStdString(notABackup));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a backup\n");
    text.close();

    const int before = openDescriptors();
    auto released = [&](const char *call) {
        EXPECT_EQ(openDescriptors(), before) << call;
        EXPECT_FALSE(clientLibraryLoaded()) << call;
    };
    EXPECT_EQ(lib.verifyClient(), 1);
    released("client check");
    EXPECT_EQ(lib.verifyServerLogin(kServer, "SYSDBA", kPassword), 2);
    released("accepted log-in");
    EXPECT_EQ(lib.verifyServerLogin(kServer, "SYSDBA", "wrong" + kPassword), 1);
    released("refused log-in");
    EXPECT_EQ(lib.verifyServer(kServer), 1);
    released("default account");
    EXPECT_EQ(lib.restore(kServer, "SYSDBA", kPassword, backup, database, true), 1);
    released("restore");
    EXPECT_EQ(lib.restore(kServer, "SYSDBA", kPassword, backup, database, false), 0);
    released("restore onto an existing database");
    EXPECT_EQ(lib.restore(kServer, "SYSDBA", kPassword, notABackup, database, true), 0);
    released("restore of a file that is no backup");
    EXPECT_EQ(lib.messages.size(), 2u);
}

} // namespace

// The exported calls of libSorvel1.so. Each call builds its own TDirectInterbase, so nothing of the
// client library stays loaded between calls of the installer.

#include "Sorvel1.h"

#include <chrono>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "TDirectInterbase.h"

#define SORVEL1_EXPORT __attribute__((visibility("default")))

namespace {

std::mutex g_mutex;
std::string g_clientDir;
Sorvel1MessageCallback g_callback = nullptr;

// The installer's default administrator account.
constexpr char kDefaultUser[] = "sysdba";
constexpr char kDefaultPassword[] = "qorvatine";

constexpr long kSqlCodeRefused = -902;
constexpr long kSqlCodeNoPermission = -413;

std::string clientDir()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_clientDir;
}

MessageTarget targetFor(void *owner)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return MessageTarget{g_callback, owner};
}

std::string text(const char *s)
{
    return s ? std::string(s) : std::string();
}

} // namespace

SORVEL1_EXPORT void InitDLLPath(const char *path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_clientDir = text(path);
}

SORVEL1_EXPORT void SetMessageCallback(Sorvel1MessageCallback callback)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_callback = callback;
}

SORVEL1_EXPORT int VerifyClientInstalled(void *owner)
{
    try {
        TDirectInterbase ib(clientDir(), targetFor(owner));
        if (!ib.libraryLoaded())
            return 0;
        return ib.boundEntryPoints() > TDirectInterbase::CommitRetaining ? 1 : -1;
    } catch (...) {
        return 0;
    }
}

SORVEL1_EXPORT int VerifyServerInstalledLogin(void *owner, const char *server, const char *user, const char *password)
{
    try {
        TDirectInterbase ib(clientDir(), targetFor(owner));
        if (ib.serviceAttach(text(user), text(password), text(server))) {
            ib.serviceDetach();
            return 2;
        }
        if (!ib.bound())
            return 0;
        if (ib.serverUnreachable())
            return 0;
        if (ib.lastSqlCode() == kSqlCodeRefused)
            return 1;
        ib.showLastError();
        return 0;
    } catch (...) {
        return 0;
    }
}

SORVEL1_EXPORT int VerifyServerInstalled(void *owner, const char *server)
{
    return VerifyServerInstalledLogin(owner, server, kDefaultUser, kDefaultPassword);
}

SORVEL1_EXPORT int RestoreDatabase(void *owner, const char *server, const char *user, const char *password,
                                   const char *backupFile, const char *databaseFile, unsigned char replace)
{
    const MessageTarget target = targetFor(owner);
    try {
        TDirectInterbase ib(clientDir(), target);
        if (!ib.serviceAttach(text(user), text(password), text(server)))
            return 0;
        int result = 1;
        if (!ib.serviceStartRestore(text(backupFile), text(databaseFile), replace != 0)) {
            // The server reads the backup's header before it reports the start, so a file that is no
            // backup fails here and the installer must learn why.
            if (ib.lastSqlCode() == kSqlCodeNoPermission) {
                result = -1;
            } else {
                ib.showLastError();
                result = 0;
            }
        } else if (!ib.serviceReadOutput()) {
            ib.showLastError();
            result = 0;
        }
        ib.serviceDetach();
        // Gives the client library's background work after the detach time to end before it is unloaded.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return result;
    } catch (const std::exception &e) {
        const std::string message = e.what();
        target.show("Database restore", message.empty() ? std::string("Unknown error") : message);
    } catch (...) {
        target.show("Database restore", "Unknown error");
    }
    return 0;
}

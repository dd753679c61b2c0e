#pragma once

#include <string>
#include <vector>

#include "Sorvel1.h"

// libSorvel1.so opened the way an installer opens it (dlopen, names looked up), its messages collected
// through the callback with this object as the owner.
class Sorvel1Library
{
public:
    struct Message
    {
        std::string caption;
        std::string text;
    };

    Sorvel1Library();
    ~Sorvel1Library();
    Sorvel1Library(const Sorvel1Library &) = delete;
    Sorvel1Library &operator=(const Sorvel1Library &) = delete;

    bool loaded() const { return m_restore != nullptr; }
    std::string error() const { return m_error; }

    void setClientDir(const std::string &dir);
    int verifyClient();
    int verifyServer(const std::string &server);
    int verifyServerLogin(const std::string &server, const std::string &user, const std::string &password);
    int restore(const std::string &server, const std::string &user, const std::string &password,
                const std::string &backupFile, const std::string &databaseFile, bool replace);

    std::vector<Message> messages;

private:
    static void collect(void *owner, const char *caption, const char *text);

    void *m_handle = nullptr;
    std::string m_error;
    Sorvel1InitDLLPath m_initPath = nullptr;
    Sorvel1SetMessageCallback m_setCallback = nullptr;
    Sorvel1VerifyClientInstalled m_verifyClient = nullptr;
    Sorvel1VerifyServerInstalled m_verifyServer = nullptr;
    Sorvel1VerifyServerInstalledLogin m_verifyServerLogin = nullptr;
    Sorvel1RestoreDatabase m_restore = nullptr;
};

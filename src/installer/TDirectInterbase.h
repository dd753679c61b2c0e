#pragma once

#include <string>

#include <ibase.h>

#include "Sorvel1.h"

// Where the messages of one call go: the caller's callback with its owner, or standard error.
struct MessageTarget
{
    Sorvel1MessageCallback callback = nullptr;
    void *owner = nullptr;

    void show(const char *caption, const std::string &text) const;
};

// The client library loaded for one call of the installer, with the service manager it talks to.
// Everything it acquires is released by the destructor, so a call leaves neither the library nor a
// server handle behind, whichever way it ends.
class TDirectInterbase
{
public:
    enum EntryPoint {
        AttachDatabase,
        DetachDatabase,
        DropDatabase,
        DatabaseInfo,
        StartTransaction,
        CommitTransaction,
        CommitRetaining,
        RollbackTransaction,
        DsqlAllocateStatement,
        DsqlPrepare,
        DsqlExecute2,
        DsqlExecuteImmediate,
        DecodeTimestamp,
        SqlCode,
        Interprete,
        SqlInterprete,
        ServiceAttach,
        ServiceDetach,
        ServiceStart,
        ServiceQuery,
        EntryPointCount
    };

    // Loads libfbclient.so.2 from clientDir (by its full path; empty: the system's search) and binds
    // the entry points in order, stopping at the first one the library lacks.
    TDirectInterbase(const std::string &clientDir, MessageTarget owner);
    ~TDirectInterbase();
    TDirectInterbase(const TDirectInterbase &) = delete;
    TDirectInterbase &operator=(const TDirectInterbase &) = delete;

    static std::string libraryFileName(const std::string &clientDir);

    bool libraryLoaded() const { return m_library != nullptr; }
    bool bound() const { return m_bound; }
    // Entry points found before the first missing one.
    int boundEntryPoints() const { return m_boundCount; }

    // An empty server name means the local service manager.
    bool serviceAttach(const std::string &user, const std::string &password, const std::string &server);
    bool serviceDetach();
    bool serviceStartRestore(const std::string &backupFile, const std::string &databaseFile, bool replace);
    // Reads the output of the running service until it ends; false when it ended with an error.
    bool serviceReadOutput();

    long lastSqlCode() const { return m_lastSqlCode; }
    // The last call failed because no server answered at the address.
    bool serverUnreachable() const;
    // Shows the error of the status vector in the "Error" message.
    void showLastError() const;
    std::string statusText() const;

private:
    template <EntryPoint E, class F> F entry() const { return reinterpret_cast<F>(m_entries[E]); }
    bool checkError(bool show);

    void *m_library = nullptr;
    bool m_bound = false;
    int m_boundCount = 0;
    void *m_entries[EntryPointCount] = {};
    MessageTarget m_owner;
    isc_db_handle m_database = 0;
    isc_tr_handle m_transaction = 0;
    isc_svc_handle m_service = 0;
    ISC_STATUS_ARRAY m_status = {};
    long m_lastSqlCode = 0;
};

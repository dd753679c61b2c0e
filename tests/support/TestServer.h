#pragma once

#include <QString>

#include "fb/Attachment.h"

// The private Firebird server that CTest starts for the server tests (see tests/server/fbserver.sh).
class TestServer
{
public:
    static QString server();          // "127.0.0.1/port"
    static QString root();            // folder the server may write database files into
    static QString sysdbaPassword();

    // A database name on the server for a file in the server's folder.
    static QString databaseName(const QString &fileName);
    static fb::ConnectParams sysdba(const QString &database);
    // Creates a database from the program's script on the server, replacing an older file.
    static QString createDatabase(const QString &fileName);
};

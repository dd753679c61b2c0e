#pragma once

#include <QString>

// The forms of a server-side database name that the client library understands, taken apart into
// the fields of the set-up dialog and put together again:
//   local      path
//   TCP        server:path  or  server/port:path
//   NetBEUI    \\server\path
//   SPX        server@path
class DatabaseName
{
public:
    enum class Protocol { None, Tcp, NetBeui, Spx };

    struct Parts
    {
        QString server;
        QString port;
        Protocol protocol = Protocol::None;
        QString path;
        bool ok = true; // false: a named-pipe name with no backslash after the server
    };

    static Parts split(const QString &name);
    // An empty server gives the path alone; the port counts only for TCP (and for no protocol, which
    // means TCP once there is a server).
    static QString compose(const QString &server, Protocol protocol, const QString &port, const QString &path);
    static QString compose(const Parts &parts) { return compose(parts.server, parts.protocol, parts.port, parts.path); }
};

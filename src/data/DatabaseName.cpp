#include "DatabaseName.h"

namespace {

const QLatin1String kPipePrefix("\\\\");

DatabaseName::Parts localPath(const QString &name)
{
    DatabaseName::Parts parts;
    parts.path = name;
    return parts;
}

} // namespace

DatabaseName::Parts DatabaseName::split(const QString &name)
{
    const qsizetype pipe = name.indexOf(kPipePrefix);
    if (pipe >= 0) {
        // A named-pipe name with no backslash after the server cannot be taken apart; the whole
        // name is handed back as a path so that whoever shows the fields loses nothing.
        const qsizetype serverStart = pipe + kPipePrefix.size();
        const qsizetype separator = name.indexOf(QLatin1Char('\\'), serverStart);
        if (separator < 0) {
            Parts parts = localPath(name);
            parts.ok = false;
            return parts;
        }
        Parts parts;
        parts.protocol = Protocol::NetBeui;
        parts.server = name.mid(serverStart, separator - serverStart);
        parts.path = name.mid(separator + 1);
        return parts;
    }

    // An IPv6 address in brackets has colons of its own; the separator comes after the bracket.
    qsizetype hostEnd = 0;
    if (name.startsWith(QLatin1Char('['))) {
        const qsizetype close = name.indexOf(QLatin1Char(']'));
        if (close > 0)
            hostEnd = close;
    }
    const qsizetype colon = name.indexOf(QLatin1Char(':'), hostEnd);
    // A colon in the second place is a drive letter ("C:\..."), so the name is a local path.
    if (colon <= 1)
        return localPath(name);

    Parts parts;
    const qsizetype at = name.indexOf(QLatin1Char('@'));
    // An "@" anywhere makes it an SPX name, also one after the colon ("srv@vol:x.fdb", "srv:a@b").
    if (at >= 0) {
        parts.protocol = Protocol::Spx;
        parts.server = name.left(at);
        parts.path = name.mid(at + 1);
        return parts;
    }
    parts.protocol = Protocol::Tcp;
    parts.server = name.left(colon);
    parts.path = name.mid(colon + 1);
    const qsizetype slash = parts.server.indexOf(QLatin1Char('/'), hostEnd);
    if (slash >= 0) {
        parts.port = parts.server.mid(slash + 1);
        parts.server.truncate(slash);
    }
    return parts;
}

QString DatabaseName::compose(const QString &server, Protocol protocol, const QString &port, const QString &path)
{
    if (server.isEmpty())
        return path;
    switch (protocol) {
    case Protocol::NetBeui:
        return kPipePrefix + server + QLatin1Char('\\') + path;
    case Protocol::Spx:
        return server + QLatin1Char('@') + path;
    case Protocol::Tcp:
    case Protocol::None:
        break;
    }
    if (port.isEmpty())
        return server + QLatin1Char(':') + path;
    return server + QLatin1Char('/') + port + QLatin1Char(':') + path;
}

#include "TestServer.h"

#include <QFile>

#include "data/SchemaScript.h"

// The build names the server that CTest starts; the environment may name another one.
QString TestServer::server()
{
    return qEnvironmentVariable("VELKORA1_TEST_SERVER", QStringLiteral(VELKORA1_TEST_SERVER));
}

QString TestServer::root()
{
    return qEnvironmentVariable("VELKORA1_TEST_SERVER_ROOT", QStringLiteral(VELKORA1_TEST_SERVER_ROOT));
}

QString TestServer::sysdbaPassword()
{
    return qEnvironmentVariable("VELKORA1_TEST_SYSDBA_PASSWORD", QStringLiteral(VELKORA1_TEST_SYSDBA_PASSWORD));
}

QString TestServer::databaseName(const QString &fileName)
{
    return server() + QLatin1Char(':') + root() + QLatin1Char('/') + fileName;
}

fb::ConnectParams TestServer::sysdba(const QString &database)
{
    fb::ConnectParams p;
    p.database = database;
    p.user = QStringLiteral("SYSDBA");
    p.password = sysdbaPassword();
    return p;
}

QString TestServer::createDatabase(const QString &fileName)
{
    QFile::remove(root() + QLatin1Char('/') + fileName);
    const QString name = databaseName(fileName);
    fb::Attachment att = data::SchemaScript::createDatabase(sysdba(name));
    att.detach();
    return name;
}

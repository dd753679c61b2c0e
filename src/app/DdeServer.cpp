#include "DdeServer.h"

#include <QLocalServer>
#include <QLocalSocket>

DdeServer::DdeServer(const QString &serviceName, QObject *parent)
    : QObject(parent), m_service(serviceName), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            // A request may come in several pieces; it is complete when the sender hangs up.
            auto *request = new QByteArray;
            connect(s, &QObject::destroyed, s, [request] { delete request; });
            const auto take = [request, s] {
                // Longer input is cut off, not trusted.
                const QByteArray piece = s->readAll();
                request->append(piece.left(MaxRequest - request->size()));
            };
            connect(s, &QLocalSocket::readyRead, s, take);
            connect(s, &QLocalSocket::disconnected, this, [this, request, s, take] {
                take();
                const QByteArray data = *request;
                s->deleteLater();
                handleRequest(data);
            });
            // Whatever arrived before the connection was taken up.
            if (s->bytesAvailable() > 0)
                take();
        }
    });
}

void DdeServer::handleRequest(const QByteArray &data)
{
    // One request: a topic line and the macro lines.
    const QString text = QString::fromUtf8(data);
    if (text.section(QLatin1Char('\n'), 0, 0).trimmed() != QLatin1String(Topic))
        return;
    emit activateRequested();
    QString name;
    int value = 0;
    if (parse(text.section(QLatin1Char('\n'), 1).trimmed(), &name, &value))
        emit macroReceived(name, value);
}

DdeServer::~DdeServer() = default;

QString DdeServer::socketName(const QString &serviceName)
{
    return serviceName + QLatin1Char('-') + qEnvironmentVariable("USER", QStringLiteral("user"));
}

bool DdeServer::listen()
{
    const QString name = socketName(m_service);
    if (m_server->listen(name))
        return true;
    // A socket left behind by a program that ended without closing it.
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

bool DdeServer::send(const QString &serviceName, const QString &macro, int timeoutMs)
{
    QLocalSocket s;
    s.connectToServer(socketName(serviceName));
    if (!s.waitForConnected(timeoutMs))
        return false;
    s.write(QByteArray(Topic) + '\n' + macro.toUtf8() + '\n');
    s.flush();
    const bool written = s.bytesToWrite() == 0 || s.waitForBytesWritten(timeoutMs);
    // What was written stays readable for the receiver after we hang up.
    s.disconnectFromServer();
    return written;
}

bool DdeServer::parse(const QString &macro, QString *name, int *value)
{
    const QString first = macro.section(QLatin1Char('\n'), 0, 0).trimmed();
    const qsizetype eq = first.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *name = first.left(eq);
    bool ok = false;
    const int v = first.mid(eq + 1).trimmed().toInt(&ok);
    *value = ok ? v : 0;
    return true;
}

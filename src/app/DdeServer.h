#pragma once

#include <QObject>

class QLocalServer;

// The program's macro entry: other programs (and a second start of this one) send lines such as
// "ShowClient=123" or "ActivateProject=4" to a local socket named after the program and the user.
class DdeServer : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *Topic = "DdeServerConv1";

    explicit DdeServer(const QString &serviceName, QObject *parent = nullptr);
    ~DdeServer() override;

    bool listen();
    static QString socketName(const QString &serviceName);
    // Sends a macro to a running instance; false when none answers.
    static bool send(const QString &serviceName, const QString &macro, int timeoutMs = 2000);
    // The name and value of the first line of a macro ("ShowClient", 123); the value is 0 when it is
    // not a number.
    static bool parse(const QString &macro, QString *name, int *value);

signals:
    void macroReceived(const QString &name, int value);
    void activateRequested();

private:
    static constexpr qsizetype MaxRequest = 4096;
    void handleRequest(const QByteArray &data);

    QString m_service;
    QLocalServer *m_server;
};

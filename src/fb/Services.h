#pragma once

#include <functional>

#include <QString>
#include <QStringList>

namespace fb {

struct UserAccount
{
    QString name;
    QString firstName;
    QString middleName;
    QString lastName;
    bool admin = false;
};

// The server's services manager: backup, restore and user accounts. Move-only; detaches on destruction.
class Services
{
public:
    using LineHandler = std::function<void(const QString &line)>;

    // `server` is "host" or "host/port"; empty for the local (embedded) services.
    static Services attach(const QString &server, const QString &user, const QString &password);

    Services() = default;
    ~Services();
    Services(Services &&other) noexcept;
    Services &operator=(Services &&other) noexcept;
    Services(const Services &) = delete;
    Services &operator=(const Services &) = delete;

    bool isAttached() const noexcept { return m_handle != 0; }
    void detach();

    // Database paths are as the server sees them. Verbose output reaches `onLine` line by line.
    void backup(const QString &database, const QString &backupFile, const LineHandler &onLine = {});
    void restore(const QString &backupFile, const QString &database, bool replace, const LineHandler &onLine = {},
                 int pageSize = 0);

    void addUser(const UserAccount &account, const QString &password);
    void deleteUser(const QString &name);
    void changePassword(const QString &name, const QString &password);
    QList<UserAccount> users();

    // Splits "host/port:path" into the service manager's server part ("host/port") and the path.
    static void splitDatabaseName(const QString &name, QString *server, QString *path);

private:
    void start(const QByteArray &request);
    // Reads the running service's output until it ends; errors of the service arrive here.
    void drainOutput(const LineHandler &onLine);
    // Waits until the server reports the running action finished.
    void waitUntilDone();

    unsigned int m_handle = 0; // isc_svc_handle
};

} // namespace fb

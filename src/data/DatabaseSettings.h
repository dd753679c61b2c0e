#pragma once

#include <QString>

#include "fb/Attachment.h"

// The settings of the program's one database connection and their place in the configuration file
// beside the program (section "Database Settings"). The log-in supplies the user name and password.
class DatabaseSettings
{
public:
    static QString defaultDatabaseName(); // relative to the current directory: a local database
    static QString defaultLcCtype();
    static QString defaultSqlRoleName();

    // The configuration file of a program: its base name with ".ini", in the program's directory.
    static QString configFilePath(const QString &programPath);
    // The configuration file of the running program.
    static QString configFilePath();

    const QString &databaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    const QString &lcCtype() const { return m_lcCtype; }
    void setLcCtype(const QString &charset) { m_lcCtype = charset; }
    const QString &sqlRoleName() const { return m_sqlRoleName; }
    void setSqlRoleName(const QString &role) { m_sqlRoleName = role; }

    // True exactly when the file exists and names a database; otherwise nothing changes, and the
    // start-up offers the set-up dialog.
    bool ReadDatabaseSettings(const QString &iniPath);
    // Keeps the rest of the file as it was; false when the file cannot be written.
    bool WriteDatabaseSettings(const QString &iniPath) const;

    fb::ConnectParams toConnectParams(const QString &user, const QString &password) const;

private:
    QString m_databaseName = defaultDatabaseName();
    QString m_lcCtype = defaultLcCtype();
    QString m_sqlRoleName = defaultSqlRoleName();
};

#include "DatabaseSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "IniText.h"

namespace {

const QString kSection = QStringLiteral("Database Settings");
const QString kDatabaseKey = QStringLiteral("database");
const QString kLcCtypeKey = QStringLiteral("lc_ctype");
// The role is read from one key and written to another: a role written after a successful start
// does not come back at the next one, where the configured or the default role applies again.
const QString kRoleReadKey = QStringLiteral("sql_role");
const QString kRoleWrittenKey = QStringLiteral("sql_role_name");

} // namespace

QString DatabaseSettings::defaultDatabaseName()
{
    return QStringLiteral("Data/velkora1.FDB");
}

QString DatabaseSettings::defaultLcCtype()
{
    return QStringLiteral("ISO8859_1");
}

QString DatabaseSettings::defaultSqlRoleName()
{
    return QStringLiteral("VELKORA1USERS");
}

QString DatabaseSettings::configFilePath(const QString &programPath)
{
    const QFileInfo program(programPath);
    return QDir(program.absolutePath()).filePath(program.completeBaseName() + QStringLiteral(".ini"));
}

QString DatabaseSettings::configFilePath()
{
    return configFilePath(QCoreApplication::applicationFilePath());
}

bool DatabaseSettings::ReadDatabaseSettings(const QString &iniPath)
{
    bool exists = false;
    const data::IniText ini = data::IniText::load(iniPath, &exists);
    if (!exists)
        return false;
    // Values are taken without surrounding blanks, as the profile functions of Windows give them.
    const QString database = ini.value(kSection, kDatabaseKey).trimmed();
    if (database.isEmpty())
        return false;
    const QString role = ini.value(kSection, kRoleReadKey).trimmed();
    const QString charset = ini.value(kSection, kLcCtypeKey).trimmed();
    m_databaseName = database;
    m_sqlRoleName = role.isEmpty() ? defaultSqlRoleName() : role;
    m_lcCtype = charset.isEmpty() ? defaultLcCtype() : charset;
    return true;
}

bool DatabaseSettings::WriteDatabaseSettings(const QString &iniPath) const
{
    bool exists = false;
    data::IniText ini = data::IniText::load(iniPath, &exists);
    // A file that is there but cannot be read is left alone rather than replaced by our three keys.
    if (!exists && QFileInfo::exists(iniPath))
        return false;
    ini.setValue(kSection, kDatabaseKey, m_databaseName);
    ini.setValue(kSection, kRoleWrittenKey, m_sqlRoleName);
    ini.setValue(kSection, kLcCtypeKey, m_lcCtype);
    return ini.save(iniPath);
}

fb::ConnectParams DatabaseSettings::toConnectParams(const QString &user, const QString &password) const
{
    fb::ConnectParams params;
    params.database = m_databaseName;
    params.user = user;
    params.password = password;
    params.role = m_sqlRoleName;
    params.charset = m_lcCtype;
    return params;
}

#include "ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "DataError.h"
#include "fb/FbError.h"

ErrorLog::ErrorLog(const QString &fileName) : m_fileName(fileName) {}

QString ErrorLog::defaultFileName(const QString &programPath)
{
    return QDir::current().filePath(QFileInfo(programPath).completeBaseName() + QStringLiteral(".errorlog"));
}

QString ErrorLog::line(const QDateTime &when, const QString &className, const QString &message, const QString &form,
                       const QString &control, std::optional<QPair<int, long>> databaseCodes)
{
    QString text = when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) + QLatin1Char(' ') + className +
                   QStringLiteral(": ") + message + QLatin1Char('(');
    if (!form.isEmpty())
        text += QStringLiteral(" Form: '") + form + QLatin1Char('\'');
    if (!control.isEmpty())
        text += QStringLiteral(" Control: '") + control + QLatin1Char('\'');
    text += QLatin1Char(')');
    if (databaseCodes)
        text += QStringLiteral(" SQLCode/IBErrorCode: %1/%2").arg(databaseCodes->first).arg(databaseCodes->second);
    // One error, one line: line breaks of multi-line server messages become blanks.
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text + QStringLiteral("\r\n");
}

QString ErrorLog::classNameOf(const std::exception &e)
{
    if (dynamic_cast<const fb::FbError *>(&e))
        return QStringLiteral("EDatabaseError");
    if (dynamic_cast<const data::DataError *>(&e))
        return QStringLiteral("EDataError");
    return QStringLiteral("Exception");
}

QString ErrorLog::messageOf(const std::exception &e)
{
    if (const auto *fe = dynamic_cast<const fb::FbError *>(&e))
        return fe->message();
    if (const auto *de = dynamic_cast<const data::DataError *>(&e))
        return de->message();
    return QString::fromLocal8Bit(e.what());
}

void ErrorLog::append(const std::exception &e, const QString &form, const QString &control) const
{
    std::optional<QPair<int, long>> codes;
    if (const auto *fe = dynamic_cast<const fb::FbError *>(&e))
        codes = qMakePair(fe->sqlCode(), fe->gdsCode());
    QFile f(m_fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    f.write(line(QDateTime::currentDateTime(), classNameOf(e), messageOf(e), form, control, codes).toUtf8());
}

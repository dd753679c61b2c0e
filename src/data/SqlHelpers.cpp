#include "SqlHelpers.h"

#include "DataError.h"
#include "FieldText.h"

namespace data {

qsizetype SqlQuotedEnd(const QString &sql, qsizetype start)
{
    const QChar quote = sql.at(start);
    const qsizetype n = sql.size();
    qsizetype j = start + 1;
    while (j < n) {
        if (sql.at(j) == quote) {
            if (j + 1 < n && sql.at(j + 1) == quote) {
                j += 2;
                continue;
            }
            break;
        }
        ++j;
    }
    return j;
}

QString SqlQuote(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QString SqlDateLiteral(const QDate &date)
{
    return QLatin1Char('\'') + date.toString(QStringLiteral("dd'.'MM'.'yyyy")) + QLatin1Char('\'');
}

QString SqlDateRange(const QString &column, const QDate &from, const QDate &to)
{
    const bool f = from.isValid(), t = to.isValid();
    if (f && t)
        return column + QStringLiteral(" BETWEEN ") + SqlDateLiteral(from) + QStringLiteral(" AND ") + SqlDateLiteral(to);
    if (f)
        return column + QStringLiteral(">=") + SqlDateLiteral(from);
    if (t)
        return column + QStringLiteral("<=") + SqlDateLiteral(to);
    return QString();
}

QString PeriodText(const QString &prefix, const QDate &from, const QDate &to)
{
    const bool f = from.isValid(), t = to.isValid();
    const QString fmt = FieldText::dateFormat();
    QString period;
    if (f && t && from != to)
        period = QLatin1Char(' ') + from.toString(fmt) + QStringLiteral("...") + to.toString(fmt);
    else if (f && t)
        period = QLatin1Char('=') + from.toString(fmt);
    else if (f)
        period = QStringLiteral(">=") + from.toString(fmt);
    else if (t)
        period = QStringLiteral("<=") + to.toString(fmt);
    if (!prefix.isEmpty() && !period.isEmpty())
        return prefix + period;
    return period;
}

QDate ParseUserDate(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QDate();
    const QDate d = FieldText::parseDate(text);
    if (!d.isValid())
        throw DataError(QStringLiteral("'%1' is not a valid date").arg(text));
    return d;
}

} // namespace data

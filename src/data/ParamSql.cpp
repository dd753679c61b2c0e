#include "ParamSql.h"

#include "SqlHelpers.h"

namespace data {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

ParamSql::ParamSql(const QString &sql) : m_original(sql)
{
    const qsizetype n = sql.size();
    m_positional.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype j = SqlQuotedEnd(sql, i);
            m_positional += QStringView(sql).mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype e = sql.indexOf(QLatin1Char('\n'), i);
            const qsizetype end = e < 0 ? n : e;
            m_positional += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype e = sql.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype end = e < 0 ? n : e + 2;
            m_positional += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n && (sql.at(i + 1).isLetter() || sql.at(i + 1) == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql.at(j)))
                ++j;
            m_names << sql.mid(i + 1, j - i - 1).toUpper();
            m_positional += QLatin1Char('?');
            i = j;
            continue;
        }
        m_positional += c;
        ++i;
    }
}

} // namespace data

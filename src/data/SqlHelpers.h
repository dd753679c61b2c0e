#pragma once

#include <QDate>
#include <QString>

namespace data {

// Typed text as an SQL string literal: apostrophes doubled, so no typed text can change the statement.
QString SqlQuote(const QString &text);
// Where the quoted text or name opening at `start` (a ' or a ") ends: the index of its closing quote,
// a doubled quote counting as one character of the text; the text's length when it is not closed.
qsizetype SqlQuotedEnd(const QString &sql, qsizetype start);
// The date as '05.03.2004' for SQL text.
QString SqlDateLiteral(const QDate &date);
// "COL BETWEEN 'from' AND 'to'", "COL>='from'", "COL<='to'" or empty; an invalid date is open.
QString SqlDateRange(const QString &column, const QDate &from, const QDate &to);
// The period of a report heading: " from...to", "=date", ">=from", "<=to" or empty, after the prefix.
QString PeriodText(const QString &prefix, const QDate &from, const QDate &to);
// Typed date text (separators ": . , / -"); empty text gives an invalid date (no date). Throws
// DataError for text that is not a date.
QDate ParseUserDate(const QString &text);

} // namespace data

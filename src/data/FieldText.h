#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

#include "fb/Statement.h"

namespace data {

// The program's short formats: day.month.four-digit year and the 24-hour clock.
class FieldText
{
public:
    static QString dateFormat() { return QStringLiteral("dd.MM.yyyy"); }
    static QString timeFormat() { return QStringLiteral("HH:mm"); }
    static QChar dateSeparator() { return QLatin1Char('.'); }
    static QChar timeSeparator() { return QLatin1Char(':'); }

    // Typed text to a value of the type; empty text gives null. Throws DataError naming the field.
    static QVariant toValue(fb::FieldKind type, const QString &text, int scale, const QString &label);
    // A value as shown in grids and edits.
    static QString toText(fb::FieldKind type, const QVariant &value, int scale);
    // A number in a picture of digit places: "0" a digit always shown, "#" one shown when there is
    // one, "." the decimal point, text in apostrophes or any other character as it stands; characters
    // among the integer places separate the digit groups where they stand ("### ### ###" gives
    // "1 234 567"). As with the classic pictures, "#" alone shows zero as nothing. Other values
    // than numbers are shown as toText shows them.
    static QString formatNumber(fb::FieldKind type, const QVariant &value, int scale, const QString &format);

    // Text in the short date format, with any of the separators the users type (": . , / -").
    // An invalid text gives an invalid date.
    static QDate parseDate(const QString &text);
    static QTime parseTime(const QString &text);
};

} // namespace data

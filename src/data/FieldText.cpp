#include "FieldText.h"

#include <algorithm>

#include <QList>
#include <QPair>
#include <QRegularExpression>

#include "DataError.h"

namespace data {

QDate FieldText::parseDate(const QString &text)
{
    QString t = text.trimmed();
    for (QChar sep : {u':', u',', u'/', u'-'})
        t.replace(sep, dateSeparator());
    const QStringList parts = t.split(dateSeparator(), Qt::SkipEmptyParts);
    if (parts.size() < 2 || parts.size() > 3)
        return QDate();
    bool okD = false, okM = false, okY = true;
    const int d = parts[0].toInt(&okD);
    const int m = parts[1].toInt(&okM);
    int y = parts.size() == 3 ? parts[2].toInt(&okY) : QDate::currentDate().year();
    if (!okD || !okM || !okY)
        return QDate();
    // Two-digit years fall in the fifty years around now, as the users expect.
    if (parts.size() == 3 && parts[2].size() <= 2) {
        const int century = QDate::currentDate().year() / 100 * 100;
        y += century;
        if (y > QDate::currentDate().year() + 50)
            y -= 100;
    }
    return QDate(y, m, d);
}

QTime FieldText::parseTime(const QString &text)
{
    QString t = text.trimmed();
    for (QChar sep : {u'.', u','})
        t.replace(sep, timeSeparator());
    const QStringList parts = t.split(timeSeparator());
    if (parts.isEmpty() || parts.size() > 3)
        return QTime();
    int v[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return QTime();
    }
    return QTime(v[0], v[1], v[2]);
}

QVariant FieldText::toValue(fb::FieldKind type, const QString &text, int scale, const QString &label)
{
    const QString t = text.trimmed();
    auto invalid = [&](const char *what) {
        return DataError(QStringLiteral("'%1' is not a valid %2 value for field '%3'").arg(text, QLatin1String(what), label));
    };
    switch (type) {
    case fb::FieldKind::Text:
    case fb::FieldKind::TextBlob:
    case fb::FieldKind::Unknown:
        return text.isEmpty() ? QVariant() : QVariant(text);
    case fb::FieldKind::Blob:
        return text.isEmpty() ? QVariant() : QVariant(text.toUtf8());
    default:
        break;
    }
    if (t.isEmpty())
        return QVariant();
    switch (type) {
    case fb::FieldKind::SmallInt:
    case fb::FieldKind::Integer:
    case fb::FieldKind::BigInt: {
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok || (type == fb::FieldKind::SmallInt && (n < -32768 || n > 32767))
            || (type == fb::FieldKind::Integer && (n < INT32_MIN || n > INT32_MAX)))
            throw invalid("integer");
        return type == fb::FieldKind::BigInt ? QVariant(n) : QVariant(static_cast<int>(n));
    }
    case fb::FieldKind::Numeric: {
        bool ok = false;
        const fb::Numeric n = fb::Numeric::fromString(t, scale, &ok);
        if (!ok)
            throw invalid("number");
        return QVariant::fromValue(n);
    }
    case fb::FieldKind::Float:
    case fb::FieldKind::Double: {
        bool ok = false;
        QString d = t;
        d.replace(QLatin1Char(','), QLatin1Char('.'));
        const double v = d.toDouble(&ok);
        if (!ok)
            throw invalid("floating point");
        return v;
    }
    case fb::FieldKind::Date: {
        const QDate d = parseDate(t);
        if (!d.isValid())
            throw invalid("date");
        return d;
    }
    case fb::FieldKind::Time: {
        const QTime tm = parseTime(t);
        if (!tm.isValid())
            throw invalid("time");
        return tm;
    }
    case fb::FieldKind::Timestamp: {
        const QStringList parts = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QDate d = parseDate(parts.value(0));
        const QTime tm = parts.size() > 1 ? parseTime(parts[1]) : QTime(0, 0);
        if (!d.isValid() || !tm.isValid())
            throw invalid("date and time");
        return QDateTime(d, tm);
    }
    case fb::FieldKind::Boolean: {
        const QChar c = t.at(0).toUpper();
        return c == QLatin1Char('Y') || c == QLatin1Char('T') || c == QLatin1Char('J') || c == QLatin1Char('1');
    }
    default:
        return text;
    }
}

QString FieldText::toText(fb::FieldKind type, const QVariant &value, int scale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (type) {
    case fb::FieldKind::SmallInt:
    case fb::FieldKind::Integer:
    case fb::FieldKind::BigInt:
        // Straight to digits: grids and exports turn every number of every row into text.
        return QString::number(value.toLongLong());
    case fb::FieldKind::Date: {
        const QDate d = value.toDate();
        if (!d.isValid() || d.year() < 1 || d.year() > 9999)
            return d.toString(dateFormat());
        // dd.MM.yyyy without parsing the format for every value.
        char16_t buf[10];
        const auto two = [&buf](int at, int n) {
            buf[at] = char16_t(u'0' + n / 10);
            buf[at + 1] = char16_t(u'0' + n % 10);
        };
        two(0, d.day());
        buf[2] = u'.';
        two(3, d.month());
        buf[5] = u'.';
        two(6, d.year() / 100);
        two(8, d.year() % 100);
        return QString(reinterpret_cast<const QChar *>(buf), 10);
    }
    case fb::FieldKind::Time: return value.toTime().toString(timeFormat());
    case fb::FieldKind::Timestamp: return value.toDateTime().toString(dateFormat() + QLatin1Char(' ') + timeFormat());
    case fb::FieldKind::Numeric:
        if (value.userType() == qMetaTypeId<fb::Numeric>())
            return value.value<fb::Numeric>().rescaled(scale).toString();
        return QString::number(value.toDouble(), 'f', scale);
    case fb::FieldKind::Float:
    case fb::FieldKind::Double: return QString::number(value.toDouble(), 'g', 15);
    default: return value.toString();
    }
}

QString FieldText::formatNumber(fb::FieldKind type, const QVariant &value, int scale, const QString &format)
{
    const bool integer =
        type == fb::FieldKind::SmallInt || type == fb::FieldKind::Integer || type == fb::FieldKind::BigInt;
    const bool number =
        integer || type == fb::FieldKind::Numeric || type == fb::FieldKind::Float || type == fb::FieldKind::Double;
    if (!number || format.isEmpty() || !value.isValid() || value.isNull())
        return toText(type, value, scale);

    // The picture: literal text before and after the digit places, the integer places with the
    // separators standing among them (by place, counted from the right), and the decimal places.
    QString prefix, suffix;
    int integerPlaces = 0, integerZeros = 0, decimals = 0, decimalZeros = 0;
    QList<QPair<int, QString>> separators; // integer places to the right of the separator, its text
    bool inNumber = false, afterPoint = false, afterNumber = false;
    QString pending; // literal text met after a digit place; a separator if more places follow
    QList<QPair<int, QString>> integerLiterals;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        QString literal;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = format.indexOf(c, i + 1);
            literal = format.mid(i + 1, (end < 0 ? format.size() : end) - i - 1);
            i = end < 0 ? format.size() : end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterNumber) {
                // Places after literal text: the literal stood among them.
                if (!afterPoint)
                    integerLiterals.append({integerPlaces, pending});
                pending.clear();
                afterNumber = false;
            }
            inNumber = true;
            if (afterPoint) {
                ++decimals;
                if (c == QLatin1Char('0'))
                    decimalZeros = decimals;
            } else {
                ++integerPlaces;
                if (c == QLatin1Char('0'))
                    integerZeros = std::max(integerZeros, 1);
                if (integerZeros > 0)
                    ++integerZeros;
            }
            continue;
        } else if (c == QLatin1Char('.') && !afterPoint && !afterNumber) {
            inNumber = true;
            afterPoint = true;
            continue;
        } else {
            literal = QString(c);
        }
        if (!inNumber)
            prefix += literal;
        else {
            afterNumber = true;
            pending += literal;
        }
    }
    if (afterNumber)
        suffix += pending;
    if (integerZeros > 0)
        --integerZeros; // counted from the first "0" on: the places that always show
    // Separators by the number of integer places standing to their right.
    for (const auto &[placesBefore, text] : integerLiterals)
        separators.append({integerPlaces - placesBefore, text});

    QString digits;
    if (type == fb::FieldKind::Numeric && value.userType() == qMetaTypeId<fb::Numeric>())
        digits = value.value<fb::Numeric>().rescaled(decimals).toString();
    else if (integer)
        digits = QString::number(value.toLongLong());
    else
        digits = QString::number(value.toDouble(), 'f', decimals);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative)
        digits.remove(0, 1);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? digits : digits.left(point);
    QString fraction = point < 0 ? QString() : digits.mid(point + 1);
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'), true);
    while (fraction.size() > decimalZeros && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    if (whole == QLatin1String("0") && integerZeros == 0)
        whole.clear();
    whole = whole.rightJustified(integerZeros, QLatin1Char('0'));

    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        const qsizetype fromRight = whole.size() - i; // places to the right, this digit included
        grouped += whole.at(i);
        for (const auto &[places, text] : separators)
            if (places == fromRight - 1 && places > 0)
                grouped += text;
    }
    QString result = grouped;
    if (!fraction.isEmpty())
        result += QLatin1Char('.') + fraction;
    const bool zero =
        !std::any_of(result.cbegin(), result.cend(), [](QChar ch) { return ch.isDigit() && ch != QLatin1Char('0'); });
    if (negative && !zero)
        result.prepend(QLatin1Char('-'));
    return prefix + result + suffix;
}

} // namespace data

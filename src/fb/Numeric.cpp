#include "Numeric.h"

#include <cmath>

namespace fb {

namespace {

qint64 pow10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

Numeric Numeric::fromString(const QString &text, int scale, bool *ok)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool neg = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        neg = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    const QString intPart = dot < 0 ? t : t.left(dot);
    QString frac = dot < 0 ? QString() : t.mid(dot + 1);
    bool good = !t.isEmpty() && (intPart.size() + frac.size() > 0);
    for (QChar c : intPart + frac)
        good = good && c.isDigit();
    qint64 value = 0;
    if (good) {
        bool roundUp = false;
        if (frac.size() > scale) {
            roundUp = frac.at(scale).digitValue() >= 5;
            frac.truncate(scale);
        }
        frac = frac.leftJustified(scale, QLatin1Char('0'));
        const QString digits = intPart + frac;
        value = digits.isEmpty() ? 0 : digits.toLongLong(&good);
        if (roundUp)
            ++value;
    }
    if (ok)
        *ok = good;
    return Numeric{neg ? -value : value, scale};
}

Numeric Numeric::fromDouble(double value, int scale)
{
    return Numeric{static_cast<qint64>(std::llround(value * static_cast<double>(pow10(scale)))), scale};
}

Numeric Numeric::rescaled(int newScale) const
{
    if (newScale == scale)
        return *this;
    if (newScale > scale)
        return Numeric{scaled * pow10(newScale - scale), newScale};
    const qint64 div = pow10(scale - newScale);
    qint64 q = scaled / div;
    const qint64 r = scaled % div;
    if (2 * (r < 0 ? -r : r) >= div)
        q += scaled < 0 ? -1 : 1;
    return Numeric{q, newScale};
}

double Numeric::toDouble() const
{
    return static_cast<double>(scaled) / static_cast<double>(pow10(scale));
}

QString Numeric::toString() const
{
    const bool neg = scaled < 0;
    // Work on the magnitude as unsigned so that the smallest int64 is printed correctly.
    const quint64 mag = neg ? 0 - static_cast<quint64>(scaled) : static_cast<quint64>(scaled);
    QString digits = QString::number(mag).rightJustified(scale + 1, QLatin1Char('0'));
    if (scale > 0)
        digits.insert(digits.size() - scale, QLatin1Char('.'));
    return neg ? QLatin1Char('-') + digits : digits;
}

} // namespace fb

#pragma once

#include <cstdint>

#include <QMetaType>
#include <QString>

namespace fb {

// An exact NUMERIC/DECIMAL value: `scaled` / 10^scale. Never passes through a double on its way to
// or from the database.
struct Numeric
{
    qint64 scaled = 0;
    int scale = 0; // digits after the decimal point (0..18)

    static Numeric fromString(const QString &text, int scale, bool *ok = nullptr);
    static Numeric fromDouble(double value, int scale);

    // The value with another number of decimals (rounded half away from zero when decimals are dropped).
    Numeric rescaled(int newScale) const;
    double toDouble() const;
    // Plain text with '.' as the decimal point and exactly `scale` decimals ("-12.50").
    QString toString() const;

    friend bool operator==(const Numeric &a, const Numeric &b) { return a.scaled == b.scaled && a.scale == b.scale; }
};

} // namespace fb

Q_DECLARE_METATYPE(fb::Numeric)

#include "PhoneDigits.h"

namespace data {

QString PhoneDigits(const QString &phone)
{
    QString digits;
    digits.reserve(phone.size());
    for (QChar c : phone) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (digits.isEmpty() && c == QLatin1Char('0'))
                continue;
            digits += c;
        }
    }
    return digits;
}

} // namespace data

#include "PhoneDigits.h"

#include "Field.h"

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

void KeepPhoneSearchColumn(const Field &number, Field &search, bool nullWhenEmpty)
{
    const QString phone = number.asString();
    if (phone.isEmpty()) {
        if (nullWhenEmpty) {
            if (!search.isNull())
                search.setValue(QVariant());
        } else if (search.isNull() || !search.asString().isEmpty()) {
            search.setValue(QString(""));
        }
        return;
    }
    const QString digits = PhoneDigits(phone);
    if (search.isNull() || search.asString() != digits)
        search.setValue(digits);
}

} // namespace data

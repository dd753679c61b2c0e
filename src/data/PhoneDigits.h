#pragma once

#include <QString>

namespace data {

// A telephone number reduced to its digits with leading zeros dropped: the search form stored
// beside every telephone column ("0 5123-456" -> "5123456").
QString PhoneDigits(const QString &phone);

class Field;

// Keeps a search column in step with its telephone number before a save: an empty number leaves the
// search column null (clients) or empty (contact persons); otherwise the column takes the digits
// form when it differs from what is stored.
void KeepPhoneSearchColumn(const Field &number, Field &search, bool nullWhenEmpty);

} // namespace data

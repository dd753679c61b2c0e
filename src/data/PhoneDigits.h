#pragma once

#include <QString>

namespace data {

// A telephone number reduced to its digits with leading zeros dropped: the search form stored
// beside every telephone column ("0 5123-456" -> "5123456").
QString PhoneDigits(const QString &phone);

} // namespace data

#include "Session.h"

namespace data {

QString LevelCaption(int level)
{
    switch (level) {
    case 0: return QStringLiteral("Algaja (0)");
    case 1: return QStringLiteral("Algaja (1)");
    case 2: return QStringLiteral("Keskmine (2)");
    case 3: return QStringLiteral("Kõrg (3)");
    case 4: return QStringLiteral("Kõrg (4)");
    case 5: return QStringLiteral("Administraator (5)");
    default: return QString();
    }
}

} // namespace data

#pragma once

#include <QString>

namespace fb {
class FbError;
}

namespace data {

// What the person at the screen is told of a database error: a row that other rows still refer to
// is named as being in use, with the register that uses it; any other error keeps the server's text.
QString DatabaseErrorText(const fb::FbError &error);

} // namespace data

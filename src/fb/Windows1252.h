#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace fb {

// Windows-1252 by table: the character set of the workstations' files and of ISO8859_1/NONE
// connections. Done here rather than through a general converter because every text column of every
// row passes through it.
namespace Windows1252 {

QString decode(const char *data, qsizetype size);
// Appends the bytes of `text` to `out`. A character the set cannot hold is written as `replacement`
// when one is given (not 0); otherwise encoding stops there and its index is returned. -1 when all
// characters were written.
qsizetype encode(QStringView text, QByteArray &out, char replacement = 0);

} // namespace Windows1252

} // namespace fb

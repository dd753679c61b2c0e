#pragma once

#include <QByteArray>

#include <ibase.h>

namespace fb {

class Transaction;

// Whole-blob transfer: the program reads and writes blobs as one value.
class Blob
{
public:
    static QByteArray read(Transaction &tr, const ISC_QUAD &id);
    // Creates a blob holding `data` and returns its id, to be bound as a parameter.
    static ISC_QUAD write(Transaction &tr, const QByteArray &data);
};

} // namespace fb

#pragma once

#include <QString>
#include <QStringList>

namespace fb {
class Transaction;
}

// The database's own generators that number new rows: their names, current values and setting a
// new current value. Only a name the database lists as a user generator is ever put into a statement.
class Generators
{
public:
    explicit Generators(fb::Transaction &transaction);

    // The user generators (not the server's own), names without padding, in alphabetical order.
    QStringList names();
    bool isGenerator(const QString &name);
    // The current value; a name that is no user generator is refused with data::DataError.
    qint64 value(const QString &name);
    // Sets the current value (the next key drawn is one more) and commits retaining the transaction;
    // a name that is no user generator is refused with data::DataError before anything runs.
    void setValue(const QString &name, qint64 value);

    fb::Transaction &transaction() const { return *m_transaction; }

    // The generator as an SQL identifier: quoted, so that a name with any letters names exactly it.
    static QString quotedName(const QString &name);

private:
    void check(const QString &name);

    fb::Transaction *m_transaction;
};

#pragma once

#include <QString>
#include <QStringList>

#include "fb/Attachment.h"

namespace data {

// The database creation script and the runner that applies it.
class SchemaScript
{
public:
    // The script built into the program.
    static QString bundled();

    // Splits an isql-style script into statements: ';' ends a statement unless SET TERM chose
    // another terminator; comments and quoted text are respected; SET TERM lines are consumed.
    static QStringList split(const QString &script);

    // Runs each statement of the script in its own committed transaction.
    static void run(fb::Attachment &attachment, const QString &script);

    // Creates a new database (dialect 3, page size 8192, default character set ISO8859_1) and
    // applies the bundled script. The returned attachment uses `params`.
    static fb::Attachment createDatabase(const fb::ConnectParams &params);
};

} // namespace data

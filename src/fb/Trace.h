#pragma once

#include <QString>

namespace fb {

// A trace of all database activity (connects, transactions, statements with their parameters and
// times, errors) written to a file, for following what the program asks of the server.
class Trace
{
public:
    static void enable(const QString &fileName);
    static void disable();
    static bool enabled();
    static void write(const QString &line);
};

} // namespace fb

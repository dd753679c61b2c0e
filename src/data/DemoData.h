#pragma once

#include <functional>

#include <QDate>
#include <QString>

#include "fb/Attachment.h"

namespace data {

// Fills a new database with the demo register of a small Estonian sales organisation. The same
// scale and reference date always give the same rows.
class DemoData
{
public:
    struct Options
    {
        int scale = 1;                       // multiplies clients, contact persons, contacts and plans
        QDate referenceDate = QDate::currentDate(); // "today" of the demo: contacts lie before it, plans after
        std::function<void(const QString &)> progress;
    };

    struct Counts
    {
        int agents = 0;
        int users = 0;
        int clients = 0;
        int contactPersons = 0;
        int contacts = 0;
        int plans = 0;
        int sales = 0;
    };

    // Clients, contact persons and contacts per unit of scale.
    static constexpr int ClientsPerScale = 500;
    static constexpr int ContactPersonsPerClient = 2;
    static constexpr int ContactsPerClient = 10;

    // The demo users: (name, level); each is bound to an agent and granted the program's role.
    static QList<QPair<QString, int>> demoUsers();

    static Counts fill(fb::Attachment &attachment, const Options &options);

    // A large register on top of a filled demo database: `clients` more clients after the last one,
    // each with one or two agents, and `persons` contact persons spread evenly over them. Written by
    // loops on the server in chunks, so that a million clients take minutes, not hours.
    static Counts addClients(fb::Attachment &attachment, int clients, int persons,
                             const std::function<void(const QString &)> &progress = {});
};

} // namespace data

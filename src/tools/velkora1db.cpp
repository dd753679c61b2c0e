// velkora1db: creates the program's database (optionally with demo data), backs it up, restores it
// and adds users. Used by the README, the tests and the benchmarks.

#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStringList>

#include "data/DemoData.h"
#include "data/SchemaScript.h"
#include "fb/FbError.h"
#include "fb/Services.h"
#include "fb/Transaction.h"

namespace {

void usage(std::FILE *out = stderr)
{
    std::fputs("usage:\n"
               "  velkora1db create DATABASE [--demo] [--scale N] [--date YYYY-MM-DD] [--clients N [--persons N]]\n"
               "    --clients N: N more clients (a large register, with the demo's reference data), each with one\n"
               "    or two agents; --persons N contact persons over them (default two per client)\n"
               "  velkora1db backup DATABASE FILE\n"
               "  velkora1db restore FILE DATABASE [--replace]\n"
               "  velkora1db adduser DATABASE USER PASSWORD\n"
               "common options: --user NAME (default SYSDBA)  --password PASSWORD  --charset CHARSET\n"
               "DATABASE is a local file or host[/port]:path on a Firebird server.\n",
               out);
}

struct Args
{
    QStringList positional;
    QString user = QStringLiteral("SYSDBA");
    QString password;
    QString charset = QStringLiteral("ISO8859_1");
    bool demo = false;
    bool replace = false;
    int scale = 1;
    int clients = 0;
    int persons = -1;
    QDate date = QDate::currentDate();
};

bool parse(const QStringList &argv, Args &a)
{
    for (int i = 1; i < argv.size(); ++i) {
        const QString &s = argv[i];
        auto value = [&](QString &out) {
            if (i + 1 >= argv.size())
                return false;
            out = argv[++i];
            return true;
        };
        QString v;
        if (s == QLatin1String("--demo")) {
            a.demo = true;
        } else if (s == QLatin1String("--replace")) {
            a.replace = true;
        } else if (s == QLatin1String("--user")) {
            if (!value(a.user))
                return false;
        } else if (s == QLatin1String("--password")) {
            if (!value(a.password))
                return false;
        } else if (s == QLatin1String("--charset")) {
            if (!value(a.charset))
                return false;
        } else if (s == QLatin1String("--scale")) {
            bool ok = false;
            if (!value(v) || (a.scale = v.toInt(&ok), !ok) || a.scale < 1)
                return false;
        } else if (s == QLatin1String("--clients") || s == QLatin1String("--persons")) {
            bool ok = false;
            int &n = s == QLatin1String("--clients") ? a.clients : a.persons;
            if (!value(v) || (n = v.toInt(&ok), !ok) || n < 0)
                return false;
        } else if (s == QLatin1String("--date")) {
            if (!value(v) || !(a.date = QDate::fromString(v, Qt::ISODate)).isValid())
                return false;
        } else if (s.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            a.positional << s;
        }
    }
    return !a.positional.isEmpty();
}

fb::ConnectParams paramsFor(const Args &a, const QString &database)
{
    fb::ConnectParams p;
    p.database = database;
    p.user = a.user;
    p.password = a.password;
    p.charset = a.charset;
    return p;
}

void printLine(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
    std::fflush(stdout);
}

int run(const Args &a)
{
    const QString command = a.positional[0];
    if (command == QLatin1String("create") && a.positional.size() == 2) {
        QElapsedTimer timer;
        timer.start();
        fb::Attachment att = data::SchemaScript::createDatabase(paramsFor(a, a.positional[1]));
        printLine(QStringLiteral("database created in %1 ms").arg(timer.elapsed()));
        if (a.demo || a.clients > 0) {
            data::DemoData::Options o;
            o.scale = a.scale;
            o.referenceDate = a.date;
            o.progress = [&](const QString &what) {
                printLine(QStringLiteral("  %1 (%2 ms)").arg(what).arg(timer.elapsed()));
            };
            const auto c = data::DemoData::fill(att, o);
            printLine(QStringLiteral("demo data: %1 clients, %2 contact persons, %3 contacts, %4 plans in %5 ms")
                          .arg(c.clients)
                          .arg(c.contactPersons)
                          .arg(c.contacts)
                          .arg(c.plans)
                          .arg(timer.elapsed()));
        }
        if (a.clients > 0) {
            const int persons = a.persons >= 0 ? a.persons : 2 * a.clients;
            data::DemoData::addClients(att, a.clients, persons, [&](const QString &what) {
                printLine(QStringLiteral("  %1 (%2 ms)").arg(what).arg(timer.elapsed()));
            });
            printLine(QStringLiteral("large register: %1 more clients, %2 more contact persons in %3 ms")
                          .arg(a.clients)
                          .arg(persons)
                          .arg(timer.elapsed()));
        }
        att.detach();
        return 0;
    }
    if (command == QLatin1String("backup") && a.positional.size() == 3) {
        QString server, path;
        fb::Services::splitDatabaseName(a.positional[1], &server, &path);
        fb::Services svc = fb::Services::attach(server, a.user, a.password);
        svc.backup(path, a.positional[2]);
        printLine(QStringLiteral("backup written to %1").arg(a.positional[2]));
        return 0;
    }
    if (command == QLatin1String("restore") && a.positional.size() == 3) {
        QString server, path;
        fb::Services::splitDatabaseName(a.positional[2], &server, &path);
        fb::Services svc = fb::Services::attach(server, a.user, a.password);
        svc.restore(a.positional[1], path, a.replace);
        printLine(QStringLiteral("database restored to %1").arg(a.positional[2]));
        return 0;
    }
    if (command == QLatin1String("adduser") && a.positional.size() == 4) {
        const QString &database = a.positional[1], &user = a.positional[2], &password = a.positional[3];
        QString server, path;
        fb::Services::splitDatabaseName(database, &server, &path);
        fb::Services svc = fb::Services::attach(server, a.user, a.password);
        bool exists = false;
        for (const fb::UserAccount &u : svc.users())
            exists = exists || u.name.compare(user, Qt::CaseInsensitive) == 0;
        if (exists)
            svc.changePassword(user, password);
        else
            svc.addUser(fb::UserAccount{user, {}, {}, {}, false}, password);
        svc.detach();
        fb::Attachment att = fb::Attachment::attach(paramsFor(a, database));
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, QStringLiteral("GRANT VELKORA1USERS TO \"%1\"").arg(user.toUpper().replace('"', QString())));
        tr.commit();
        printLine(QStringLiteral("user %1 %2 and granted the role").arg(user.toUpper(), exists ? "re-passworded" : "added"));
        return 0;
    }
    usage();
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        usage(stdout);
        return 0;
    }
    Args a;
    if (!parse(arguments, a)) {
        usage();
        return 2;
    }
    try {
        return run(a);
    } catch (const fb::FbError &e) {
        std::fprintf(stderr, "velkora1db: %s\n", qPrintable(e.message()));
        return 1;
    }
}

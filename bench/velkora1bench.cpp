// velkora1bench: measures the program's database paths against the database's own speed in the same
// run. Full size: 100,000 clients, 200,000 contact persons, 1,000,000 contacts; --quick: a small register.

#include <functional>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "BenchReport.h"
#include "clients/ClientFilter.h"
#include "clients/ContactPersonFilter.h"
#include "clients/TdmKlientEdit1.h"
#include "clients/TfKliendidList.h"
#include "clients/TfKontaktIsikudKoond.h"
#include "contacts/TdmKontaktEdit.h"
#include "contacts/ContactFilter.h"
#include "contacts/PlannedContactFilter.h"
#include "data/DataSet.h"
#include "data/DemoData.h"
#include "data/FilterBuilder.h"
#include "data/PhoneDigits.h"
#include "data/SchemaScript.h"
#include "data/Session.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "exchange/THDataTxtExport.h"
#include "fb/FbError.h"
#include "fb/RowStore.h"
#include "fb/Statement.h"
#include "fb/TextCodec.h"
#include "fb/Transaction.h"
#include "reference/PhoneNumberSearch.h"
#include "ui/DataSetModel.h"
#include "ui/TableReport.h"
#include "ui/TfQuickSearch.h"

#include <ibase.h>

namespace {

fb::ConnectParams paramsFor(const QString &path)
{
    fb::ConnectParams p;
    p.database = path;
    p.user = QStringLiteral("SYSDBA");
    return p;
}

double elapsedMs(const QElapsedTimer &t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// The engine's own insert speed: the same numbers of clients, contact persons and contacts inserted
// by one server-side loop into an empty database of the same schema.
double rawInsertMs(const QString &path, int clients, int persons, int contacts)
{
    fb::Attachment att = data::SchemaScript::createDatabase(paramsFor(path));
    fb::Transaction tr(att);
    tr.start();
    att.executeImmediate(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (1, 'Mari', 'Tamm')");
    att.executeImmediate(tr, "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI) values (1, 'Telefonikõne')");
    tr.commit();
    QElapsedTimer t;
    t.start();
    tr.start();
    att.executeImmediate(tr, QStringLiteral(
        "execute block as declare i integer = 1; declare n integer = %1; declare p integer = %2; declare c integer = %3; begin "
        "while (i <= n) do begin insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, KLITEL, KLITELTRIM, KLIEMAIL) "
        "values (:i, 'Balti Puit ' || :i, 'Pärnu mnt 10', '6 123 456', '6123456', 'info@puit.ee'); i = i + 1; end "
        "i = 1; while (i <= p) do begin insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, "
        "KISIKTELTRIM) values (:i, mod(:i, :n) + 1, 'Jaan Saar', '5123 4567', '51234567'); i = i + 1; end "
        "i = 1; while (i <= c) do begin insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, "
        "KONTAKTLIIK, KONTAKTTEEMA, REGAGENTKOOD) values (:i, 1, mod(:i, :n) + 1, dateadd(-mod(:i, 700) day to "
        "current_date), '10:00', 1, 'Hinnapäring', 1); i = i + 1; end end")
                                 .arg(clients)
                                 .arg(persons)
                                 .arg(contacts));
    tr.commit();
    const double ms = elapsedMs(t);
    att.dropDatabase();
    return ms;
}

// Fetches every row and turns every column into the value a dataset would hold.
qint64 fetchAll(fb::Attachment &att, const QString &sql)
{
    fb::Transaction tr(att);
    fb::Statement st(tr, sql);
    st.execute();
    qint64 rows = 0;
    QVariant sink;
    while (st.fetch()) {
        for (int i = 0; i < st.columnCount(); ++i)
            sink = st.value(i);
        ++rows;
    }
    return rows;
}

// Fetches up to `limit` rows of the statement through the bare client layer.
qint64 rawFetch(fb::Transaction &tr, const QString &sql, qint64 limit = -1)
{
    fb::Statement st(tr, sql);
    st.execute();
    qint64 rows = 0;
    QVariant sink;
    while ((limit < 0 || rows < limit) && st.fetch()) {
        for (int i = 0; i < st.columnCount(); ++i)
            sink = st.value(i);
        ++rows;
    }
    return rows;
}

double residentMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The best of several runs: the least disturbed by the rest of the machine.
template<typename F>
double bestOf(int runs, F &&f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, elapsedMs(t));
    }
    return best;
}

// Both sides measured in turns, the best of each: a machine busy with other work slows both alike
// instead of whichever side happened to run while it was busy.
template <typename F, typename G>
std::pair<double, double> bestOfInTurns(int runs, F &&ours, G &&raw)
{
    double bestOurs = 1e300, bestRaw = 1e300;
    for (int i = 0; i < runs; ++i) {
        bestOurs = std::min(bestOurs, bestOf(1, ours));
        bestRaw = std::min(bestRaw, bestOf(1, raw));
    }
    return {bestOurs, bestRaw};
}

// The engine's own fetch of up to `limit` rows: the statement prepared, executed and fetched through
// the ISC interface into one XSQLDA, converting and keeping nothing. No client of the engine can be
// faster; the client list is measured against it.
qint64 engineFetch(fb::Transaction &tr, const QString &sql, qint64 limit = -1)
{
    struct Free
    {
        void operator()(XSQLDA *p) const noexcept { std::free(p); }
    };
    auto allocate = [](int n) {
        std::unique_ptr<XSQLDA, Free> p(static_cast<XSQLDA *>(std::calloc(1, XSQLDA_LENGTH(n))));
        p->version = SQLDA_VERSION1;
        p->sqln = static_cast<ISC_SHORT>(n);
        return p;
    };
    fb::Attachment &att = tr.attachment();
    const QByteArray text = att.codec().encode(sql);
    ISC_STATUS_ARRAY st;
    isc_stmt_handle h = 0;
    isc_dsql_allocate_statement(st, att.handlePtr(), &h);
    fb::FbError::check(st);
    auto out = allocate(64);
    isc_dsql_prepare(st, tr.handlePtr(), &h, 0, text.constData(), SQL_DIALECT_V6, out.get());
    fb::FbError::check(st);
    if (out->sqld > out->sqln) {
        out = allocate(out->sqld);
        isc_dsql_describe(st, &h, SQL_DIALECT_V6, out.get());
        fb::FbError::check(st);
    }
    std::vector<std::vector<char>> data(static_cast<size_t>(out->sqld));
    std::vector<short> nulls(static_cast<size_t>(out->sqld));
    for (int i = 0; i < out->sqld; ++i) {
        XSQLVAR &v = out->sqlvar[i];
        data[static_cast<size_t>(i)].resize(static_cast<size_t>(v.sqllen) + 2);
        v.sqldata = data[static_cast<size_t>(i)].data();
        v.sqlind = &nulls[static_cast<size_t>(i)];
    }
    isc_dsql_execute(st, tr.handlePtr(), &h, SQL_DIALECT_V6, nullptr);
    fb::FbError::check(st);
    qint64 rows = 0;
    while (limit < 0 || rows < limit) {
        const ISC_STATUS rc = isc_dsql_fetch(st, &h, SQL_DIALECT_V6, out.get());
        if (rc == 100)
            break;
        fb::FbError::check(st);
        ++rows;
    }
    isc_dsql_free_statement(st, &h, DSQL_drop);
    return rows;
}

// The bare client layer: up to `limit` rows fetched and each copied as it arrived, converting nothing.
qint64 layerFetch(fb::Transaction &tr, const QString &sql, qint64 limit = -1)
{
    fb::Statement st(tr, sql);
    st.execute();
    fb::RowStore rows(st);
    qint64 count = 0;
    while ((limit < 0 || count < limit) && st.fetch()) {
        rows.append(st);
        ++count;
    }
    return count;
}

// The best time of each of three paths, run in turn so that a change in the machine's load in the
// meantime falls on all three alike.
struct Three
{
    double ours = 1e300, layer = 1e300, raw = 1e300;
};

template<typename Ours, typename Layer, typename Raw>
Three bestOfEach(int runs, Ours &&ours, Layer &&layer, Raw &&raw)
{
    Three best;
    for (int i = 0; i < runs; ++i) {
        best.ours = std::min(best.ours, bestOf(1, ours));
        best.layer = std::min(best.layer, bestOf(1, layer));
        best.raw = std::min(best.raw, bestOf(1, raw));
    }
    return best;
}

// The client list as the program shows it, against the bare client layer and the engine's own fetch
// of the same statements.
void benchClientList(const QString &path)
{
    const QString clientList = QStringLiteral("select KLIENTK.* from KLIENTK\norder by KLIENTK.KLIKOOD\n");
    fb::Attachment att = fb::Attachment::attach(paramsFor(path));
    fb::Transaction tr(att);
    tr.start();

    // A path of a millisecond: the best of many runs, so that a busy machine shows less.
    const Three first = bestOfEach(
        50,
        [&] {
            data::DataSet ds(tr, QStringLiteral("taKliendid"));
            ds.setSelectSql(clientList);
            ds.open();
            ds.fetchMore(99);
        },
        [&] { layerFetch(tr, clientList, 100); }, [&] { engineFetch(tr, clientList, 100); });
    BenchReport::layered(QStringLiteral("client_list_first_100_rows"), first.ours, first.layer, first.raw);

    // Memory: what holding the register adds, once the engine's own cache holds its pages.
    engineFetch(tr, clientList);
    const double rssBefore = residentMb();
    data::DataSet ds(tr, QStringLiteral("taKliendid"));
    ds.setSelectSql(clientList);
    ds.open();
    ds.fetchAll();
    const double rssAfter = residentMb();
    std::printf("client_list_memory ours=%.1fMB layer=- raw=- ratio=- (%d clients held)\n", rssAfter - rssBefore,
                ds.fetchedCount());

    const int runs = 7;
    const Three all = bestOfEach(
        runs,
        [&] {
            data::DataSet list(tr, QStringLiteral("taKliendid"));
            list.setSelectSql(clientList);
            list.open();
            list.fetchAll();
        },
        [&] { layerFetch(tr, clientList); }, [&] { engineFetch(tr, clientList); });
    BenchReport::layered(QStringLiteral("client_list_all_rows"), all.ours, all.layer, all.raw);

    const QString where = QStringLiteral("KLIENTK.KLINIMI CONTAINING 'puit'");
    const QString filtered = data::BuildSelect(clientList, where, QString(), false, QString());
    Three filter;
    for (int i = 0; i < runs; ++i) {
        // The list narrowed as the filter panel does it: the statement rewritten and reopened.
        data::ApplyWhere(ds, QString());
        filter.ours = std::min(filter.ours, bestOf(1, [&] {
                                   data::ApplyWhere(ds, where);
                                   ds.fetchAll();
                               }));
        filter.layer = std::min(filter.layer, bestOf(1, [&] { layerFetch(tr, filtered); }));
        filter.raw = std::min(filter.raw, bestOf(1, [&] { engineFetch(tr, filtered); }));
    }
    BenchReport::layered(QStringLiteral("client_name_containing_filter"), filter.ours, filter.layer, filter.raw,
                         QStringLiteral("rows=%1").arg(ds.fetchedCount()));
}

// The client card: opening a client (the row, its contact persons, plans and agents) through a module
// of the pool, against the raw statements of the same four; and saving a change with the client list
// open, against a raw update, commit and read of the list's first 100 rows.
void benchClientCard(const QString &path)
{
    data::Session session;
    session.Level = 5;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = paramsFor(path);
    module.Connect();
    fb::Transaction &tr = module.IBTransaction1();
    data::SqlStatement pick(tr);
    // A client with plans, persons and agents, as a card usually shows one.
    pick.setSql(QStringLiteral("select first 1 j.KLIKOOD from KLIJKONT j where exists (select 1 from KLIKISIK p "
                               "where p.KLIKOOD = j.KLIKOOD) order by j.KLIKOOD desc"));
    int code = pick.scalar().toInt();
    if (code <= 0) {
        pick.setSql(QStringLiteral("select max(KLIKOOD) from KLIENTK"));
        code = pick.scalar().toInt();
    }
    data::SqlStatement agent(tr);
    agent.setSql(QStringLiteral("select first 1 AGENTKOOD from KLIAGENT where KLIKOOD = :K"));
    agent.setParam(QStringLiteral("K"), code);
    session.AgentCode = agent.scalar().toInt();
    module.CardFilters = data::TData1::CardFilterStates{};

    const QString c = QString::number(code);
    const QStringList raw = {
        QStringLiteral("select K1.*, K2.KLINIMI AS EMAFIRMANIMI from KLIENTK K1 left join KLIENTK K2 "
                       "on K2.KLIKOOD = K1.EMAFIRMAKOOD where K1.KLIKOOD=") + c,
        QStringLiteral("select * from KLIKISIK where KLIKOOD = ") + c + QStringLiteral(" order by KLIKISIKKOOD"),
        QStringLiteral("select * from KLIJKONT where KLIKOOD = ") + c
            + QStringLiteral(" order by KLIKOOD, JKONTAKTKUUP, JKONTAKTKELL"),
        QStringLiteral("select * from KLIAGENT where KLIKOOD = ") + c + QStringLiteral(" order by AGENTKOOD"),
    };
    QObject card;
    int shown = 0;
    auto openCard = [&] {
        TdmKlientEdit1 *m = TdmKlientEdit1::Acquire(module, &card);
        m->OpenClient(code);
        shown = 0;
        for (data::DataSet *ds : {m->taKlient(), m->taKliKontaktIsikud(), m->taKliJargmKontaktid(), m->taKliendiAgendid()}) {
            ds->fetchAll();
            shown += ds->fetchedCount();
        }
        m->Release();
    };
    auto rawOpen = [&] {
        for (const QString &sql : raw)
            engineFetch(tr, sql);
    };
    rawOpen(); // the pages of the client in the engine's cache for both sides
    QElapsedTimer t;
    t.start();
    openCard();
    const double first = elapsedMs(t);
    double pooled = 1e300, rawBest = 1e300;
    for (int i = 0; i < 30; ++i) {
        pooled = std::min(pooled, bestOf(1, openCard));
        rawBest = std::min(rawBest, bestOf(1, rawOpen));
    }
    BenchReport::line(QStringLiteral("client_open_card"), pooled, rawBest,
                      QStringLiteral("first=%1ms pooled=%2ms rows=%3 client=%4")
                          .arg(first, 0, 'f', 3)
                          .arg(pooled, 0, 'f', 3)
                          .arg(shown)
                          .arg(code));

    // Saving with the client list open on its first rows.
    data::DataSet &list = *module.taKliendid();
    list.open();
    list.fetchMore(99);
    TdmKlientEdit1 *m = TdmKlientEdit1::Acquire(module, &card);
    m->OpenClient(code);
    int n = 0;
    double ours = 1e300, bare = 1e300;
    const QString listSql = list.selectSql();
    // The bare side writes another client: writing the card's own behind its back would be another
    // user's change, which the card's next save rightly refuses.
    const int codeField = list.field(QStringLiteral("KLIKOOD")).index();
    const qint64 other = list.valueAt(0, codeField).toLongLong() != code ? list.valueAt(0, codeField).toLongLong()
                                                                       : list.valueAt(1, codeField).toLongLong();
    for (int i = 0; i < 20; ++i) {
        ours = std::min(ours, bestOf(1, [&] {
                            m->taKlient()->edit();
                            m->taKlient()->field(QStringLiteral("KLIFAX")).setValue(QStringLiteral("6%1").arg(++n));
                            m->taKlient()->post();
                            // The list as a grid shows it again: its first rows.
                            list.fetchMore(100 - list.fetchedCount());
                        }));
        bare = std::min(bare, bestOf(1, [&] {
                            fb::Statement update(tr, QStringLiteral("update KLIENTK set KLIFAX = ? where KLIKOOD = ?"));
                            update.setValue(0, QStringLiteral("6%1").arg(++n));
                            update.setInt(1, other);
                            update.execute();
                            tr.commitRetaining();
                            engineFetch(tr, listSql, 100);
                        }));
    }
    BenchReport::line(QStringLiteral("client_save_card"), ours, bare,
                      QStringLiteral("list_rows_held=%1").arg(list.fetchedCount()));
    m->Release();
}

// Eight keys typed into the quick search of the client list sorted by name, aiming at the last
// name, against one fetch of the whole list.
void benchQuickSearch(const QString &path)
{
    const QString byName = QStringLiteral("select KLIENTK.* from KLIENTK\norder by KLIENTK.KLINIMI\n");
    fb::Attachment att = fb::Attachment::attach(paramsFor(path));
    fb::Transaction tr(att);
    tr.start();
    QString target;
    {
        fb::Statement st(tr, QStringLiteral("select first 1 KLINIMI from KLIENTK order by KLINIMI desc"));
        st.execute();
        if (st.fetch())
            target = st.getString(0);
    }
    target = target.left(8);
    int landed = -1;
    const double ours = bestOf(3, [&] {
        data::DataSet ds(tr, QStringLiteral("taKliendid"));
        ds.setSelectSql(byName);
        ds.open();
        DataSetModel model(&ds);
        QTableView grid;
        grid.setModel(&model);
        grid.resize(800, 600);
        grid.setCurrentIndex(model.index(0, model.columnOfField(QStringLiteral("KLINIMI"))));
        TfQuickSearch *search = TfQuickSearch::open(&grid, target.left(1));
        for (int n = 2; n <= target.size(); ++n)
            search->edit()->setText(target.left(n));
        landed = ds.currentRow();
        delete search;
    });
    const double raw = bestOf(3, [&] { rawFetch(tr, byName); });
    BenchReport::line(QStringLiteral("quick_search"), ours, raw, QStringLiteral("row=%1 typed=%2").arg(landed).arg(target.size()));
}

// Every client written to a text file as the list export does, against fetching the same rows.
void benchExport(const QString &path, const QString &folder)
{
    const QString clients = QStringLiteral("select KLIENTK.* from KLIENTK order by KLIENTK.KLIKOOD");
    fb::Attachment att = fb::Attachment::attach(paramsFor(path));
    fb::Transaction tr(att);
    tr.start();
    rawFetch(tr, clients); // warm the page cache for both sides
    const QString file = folder + QStringLiteral("/velkora1export.txt");
    qint64 rows = 0;
    const auto [ours, raw] = bestOfInTurns(
        5,
        [&] {
            data::DataSet ds(tr, QStringLiteral("taKliendid"));
            ds.setSelectSql(clients);
            THDataTxtExport exporter;
            exporter.useProgramSettings();
            exporter.setSource(&ds);
            exporter.setDestFileName(file);
            exporter.Execute();
            rows = ds.fetchedCount();
        },
        [&] { rawFetch(tr, clients); });
    BenchReport::line(QStringLiteral("export_clients"), ours, raw,
                      QStringLiteral("rows=%1 bytes=%2").arg(rows).arg(QFileInfo(file).size()));
}

// Ten thousand contacts laid out as a table print and written as PDF, against fetching them.
void benchPrint(const QString &path, const QString &folder)
{
    const QString contacts = QStringLiteral(
        "select first 10000 k.KONTAKTKUUP, k.KONTAKTKELL, k.AGENTKOOD, k.KLIKOOD, k.KONTAKTTEEMA, k.KONTAKTLIIK "
        "from KONTAKT k order by k.AGENTKOOD, k.KONTAKTID");
    fb::Attachment att = fb::Attachment::attach(paramsFor(path));
    fb::Transaction tr(att);
    tr.start();
    rawFetch(tr, contacts);
    int pages = 0;
    const QString pdf = folder + QStringLiteral("/print.pdf");
    const double ours = bestOf(1, [&] {
        data::DataSet ds(tr, QStringLiteral("qKontaktid"));
        ds.setSelectSql(contacts);
        TableReport::Options o;
        o.title = QStringLiteral("Kontaktid");
        o.groups = QStringList{QStringLiteral("AGENTKOOD")};
        o.sums = QStringList{QStringLiteral("KONTAKTLIIK")};
        o.grandTotal = true;
        TableReport report(ds, o);
        report.build();
        report.writePdf(pdf);
        pages = report.pageCount();
    });
    const double raw = bestOf(1, [&] { rawFetch(tr, contacts); });
    BenchReport::line(QStringLiteral("print_10000_rows"), ours, raw, QStringLiteral("pages=%1").arg(pages));
}

// The telephone search window's statement against the same statement run bare and against a
// CONTAINING scan of the same columns; the rebuild of the search columns when nothing and when every
// row needs writing, against raw UPDATE statements over the same rows.
void benchPhoneSearch(const QString &path)
{
    fb::Attachment att = fb::Attachment::attach(paramsFor(path));
    fb::Transaction tr(att);
    tr.start();
    // Numbers as users type them: with the trunk zero, blanks and a dash.
    QStringList typed;
    {
        fb::Statement st(tr, QStringLiteral("select first 200 KLITEL from KLIENTK where KLITEL is not null "
                                            "order by KLIKOOD desc"));
        st.execute();
        while (st.fetch())
            typed << QStringLiteral("0") + st.getString(0).replace(QLatin1Char(' '), QLatin1Char('-'));
    }
    auto bare = [](const QString &sql, const QString &digits) {
        QString literal = sql;
        return literal.replace(QStringLiteral(":SearchNo"), QLatin1Char('\'') + digits + QLatin1Char('\''));
    };
    // The same statement through the bare client layer, its digits bound the same way.
    QString positional = PhoneNumberSearch::Statement;
    positional.replace(QStringLiteral(":SearchNo"), QStringLiteral("?"));
    auto rawSearch = [&](const QString &digits) {
        fb::Statement st(tr, positional);
        st.setValue(0, digits);
        st.execute();
        QVariant sink;
        while (st.fetch())
            for (int i = 0; i < st.columnCount(); ++i)
                sink = st.value(i);
    };
    PhoneNumberSearch search(tr);
    qint64 found = 0;
    // Each number searched both ways in turn, so that neither side finds the pages the other read.
    double ours = 1e300, raw = 1e300;
    for (int round = 0; round < 3; ++round) {
        double oursRound = 0, rawRound = 0;
        found = 0;
        for (const QString &t : typed) {
            QElapsedTimer timer;
            timer.start();
            search.Search(t);
            found += search.qOtsiKliTelefon().recordCount();
            oursRound += elapsedMs(timer);
            timer.restart();
            rawSearch(data::PhoneDigits(t));
            rawRound += elapsedMs(timer);
        }
        ours = std::min(ours, oursRound);
        raw = std::min(raw, rawRound);
    }
    BenchReport::line(QStringLiteral("phone_search"), ours / typed.size(), raw / typed.size(),
                      QStringLiteral("searches=%1 rows=%2").arg(typed.size()).arg(found));
    QString scan = PhoneNumberSearch::Statement;
    scan.replace(QRegularExpression(QStringLiteral("(\\w+Trim) = n\\.SearchNo")), QStringLiteral("\\1 CONTAINING n.SearchNo"));
    const int scans = std::min<int>(5, static_cast<int>(typed.size()));
    const double scanMs = bestOf(1, [&] {
        for (int i = 0; i < scans; ++i)
            rawFetch(tr, bare(scan, data::PhoneDigits(typed.at(i))));
    });
    BenchReport::line(QStringLiteral("phone_search_vs_scan"), ours / typed.size(), scanMs / scans,
                      QStringLiteral("scans=%1").arg(scans));
    tr.commit();
    att.detach();

    // The search columns worked out by the server, for the raw side: the separators people type
    // removed and the leading zeros dropped.
    auto digitsOf = [](const char *column) {
        QString e = QString::fromLatin1(column);
        for (const char *sep : {" ", "-", "(", ")", "+", ".", "/"})
            e = QStringLiteral("replace(%1, '%2', '')").arg(e, QString::fromLatin1(sep));
        return QStringLiteral("trim(leading '0' from %1)").arg(e);
    };
    const QStringList rawUpdates = {
        QStringLiteral("update KLIENTK set KLITELTRIM = %1, KLITEL2TRIM = %2").arg(digitsOf("KLITEL"), digitsOf("KLITEL2")),
        QStringLiteral("update KLIKISIK set KISIKTELTRIM = %1, KISIKTEL2TRIM = %2")
            .arg(digitsOf("KONTAKTISIKTEL"), digitsOf("KONTAKTISIKTEL2"))};
    const QStringList spoil = {QStringLiteral("update KLIENTK set KLITELTRIM = 'x', KLITEL2TRIM = 'x'"),
                               QStringLiteral("update KLIKISIK set KISIKTELTRIM = 'x', KISIKTEL2TRIM = 'x'")};
    data::Session session;
    session.Level = 5;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = paramsFor(path);
    module.Connect();
    auto run = [&](const QStringList &statements) {
        fb::Transaction &t = module.IBTransaction1();
        for (const QString &sql : statements)
            module.Database1().executeImmediate(t, sql);
        t.commitRetaining();
    };
    module.RebuildPhoneSearch(); // whatever the demo data left out of step
    int written = -1;
    const double unchanged = bestOf(1, [&] { written = module.RebuildPhoneSearch(); });
    const double rawUnchanged = bestOf(1, [&] { run(rawUpdates); });
    BenchReport::line(QStringLiteral("rebuild_phone_search_unchanged"), unchanged, rawUnchanged,
                      QStringLiteral("written=%1").arg(written));
    run(spoil);
    const double all = bestOf(1, [&] { written = module.RebuildPhoneSearch(); });
    run(spoil);
    const double rawAll = bestOf(1, [&] { run(rawUpdates); });
    BenchReport::line(QStringLiteral("rebuild_phone_search_all"), all, rawAll, QStringLiteral("written=%1").arg(written));
    module.Disconnect();
}

// The client list and the contact persons summary as the user opens and narrows them on a large
// register, against the engine's own fetch of the same first 100 rows of the same statement.
void benchClientRegister(const QString &path)
{
    data::ClearFilterRegistry();
    data::Session session;
    session.Level = 5;
    session.AgentCode = 1;
    session.DefaultAgentFilter = true;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = paramsFor(path);
    module.Connect();
    module.SetSessionFilters();
    fb::Transaction &tr = module.IBTransaction1();
    data::DataSet &list = *module.taKliendid();
    auto first100 = [](data::DataSet &ds) {
        while (ds.fetchedCount() < 100 && !ds.isFullyFetched() && ds.fetchMore(100 - ds.fetchedCount()) > 0) {
        }
        return ds.fetchedCount();
    };
    const int runs = 5;

    // The list as its window opens it: the panel's filter restored from the stored conditions (the
    // log-in's), applied to the closed list, the list read as far as the first 100 rows. The same with
    // the window built around it is a line of its own: building the widgets is no database work.
    auto opening = [&](data::DataSet &ds, const QString &name, const std::function<void()> &restoreAndApply) {
        double ours = 1e300, raw = 1e300;
        int fetched = 0;
        for (int i = 0; i < runs; ++i) {
            ds.close();
            ours = std::min(ours, bestOf(1, [&] {
                                restoreAndApply();
                                ds.open();
                                fetched = first100(ds);
                            }));
            const QString statement = ds.selectSql();
            raw = std::min(raw, bestOf(1, [&] { engineFetch(tr, statement, 100); }));
        }
        BenchReport::line(name, ours, raw, QStringLiteral("fetched=%1").arg(fetched));
    };
    auto window = [&](auto makeWindow, data::DataSet &ds, const QString &name) {
        double ours = 1e300, raw = 1e300;
        int fetched = 0;
        for (int i = 0; i < runs; ++i) {
            ds.close();
            ours = std::min(ours, bestOf(1, [&] {
                                auto w = makeWindow();
                                fetched = first100(ds);
                            }));
            const QString statement = ds.selectSql();
            raw = std::min(raw, bestOf(1, [&] { engineFetch(tr, statement, 100); }));
        }
        BenchReport::line(name, ours, raw, QStringLiteral("fetched=%1").arg(fetched));
    };
    opening(list, QStringLiteral("client_list_1m_first_100"), [&] {
        clients::ClientFilter::Apply(list, clients::ClientFilter::Restore(data::FilterFor(list)));
    });
    window([&] { return std::make_unique<TfKliendidList>(WindowContext{&module, nullptr}); }, list,
           QStringLiteral("client_list_window_first_100"));

    auto scalar = [&](const char *sql) {
        fb::Statement st(tr, QString::fromLatin1(sql));
        st.execute();
        return st.fetch() ? st.value(0).toString() : QString();
    };
    const QString classifier = scalar("select first 1 KL1ID from KL1KLI order by KLIKOOD desc");
    const QString classifierGroup = scalar("select first 1 KL1GRID from KL1KLI order by KLIKOOD desc");
    const QString productGroup = scalar("select first 1 TOOTEGRID from KLITOODE order by KLIKOOD desc");

    using V = clients::ClientFilterValues;
    const std::vector<std::pair<const char *, std::function<void(V &)>>> criteria = {
        {"agent", [](V &v) { v.agentCode = "1"; }},
        {"no_agent", [](V &v) { v.noAgent = true; }},
        {"name", [](V &v) { v.name = "puit"; }},
        {"relation", [](V &v) { v.relationType = "11"; }},
        {"address", [](V &v) { v.address = "Pikk 1"; }},
        {"classifier", [&](V &v) { v.classifierGroupId = classifierGroup, v.classifierId = classifier; }},
        {"regular", [](V &v) { v.regular = "Y"; }},
        {"rating", [](V &v) { v.rating = "1"; }},
        {"active", [](V &v) { v.active = "Y"; }},
        {"place", [](V &v) { v.placeId = "1"; }},
        {"employees", [](V &v) { v.employeesOperator = ">=", v.employees = "100"; }},
        {"turnover", [](V &v) { v.turnoverOperator = ">", v.turnover = "1 000 000"; }},
        {"product", [&](V &v) { v.productGroupId = productGroup; }},
        {"date", [](V &v) { v.dateOperator = ">=", v.dateAdded = "01.01.2020"; }},
    };
    V none;
    none.active.clear();
    for (const auto &[name, set] : criteria) {
        V v = none;
        set(v);
        double ours = 1e300, raw = 1e300;
        int fetched = 0;
        for (int i = 0; i < runs; ++i) {
            clients::ClientFilter::Apply(list, none);
            ours = std::min(ours, bestOf(1, [&] {
                                clients::ClientFilter::Apply(list, v);
                                fetched = first100(list);
                            }));
            const QString statement = list.selectSql();
            raw = std::min(raw, bestOf(1, [&] { engineFetch(tr, statement, 100); }));
        }
        BenchReport::line(QStringLiteral("client_criterion_%1").arg(QString::fromLatin1(name)), ours, raw,
                          QStringLiteral("fetched=%1").arg(fetched));
    }

    // The default list sorted by name.
    V own;
    own.agentCode = QStringLiteral("1");
    clients::ClientFilter::Apply(list, own);
    double ours = 1e300, raw = 1e300;
    for (int i = 0; i < 2 * runs; ++i) {
        data::ApplyOrder(list, QString());
        ours = std::min(ours, bestOf(1, [&] {
                            data::ApplyOrder(list, QStringLiteral("KLIENTK.KLINIMI"));
                            first100(list);
                        }));
        const QString statement = list.selectSql();
        raw = std::min(raw, bestOf(1, [&] { engineFetch(tr, statement, 100); }));
    }
    BenchReport::line(QStringLiteral("client_sort_by_name"), ours, raw);

    data::DataSet &persons = *module.dataSet(QStringLiteral("taKliKontaktIsikudKoond"));
    opening(persons, QStringLiteral("contact_persons_summary_first_100"), [&] {
        clients::ContactPersonFilter::Apply(persons, clients::ContactPersonFilter::Restore(data::FilterFor(persons)));
    });
    window([&] { return std::make_unique<TfKontaktIsikudKoond>(WindowContext{&module, nullptr}); }, persons,
           QStringLiteral("contact_persons_summary_window_first_100"));
    module.Disconnect();
}

// One column of a thousand clients changed and saved through the client list, each post writing,
// committing and re-reading its row, against the same thousand changes by one prepared UPDATE
// committed after each.
void benchPostChangedColumns(const QString &path)
{
    data::Session session;
    session.Level = 5;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = paramsFor(path);
    module.Connect();
    fb::Transaction &tr = module.IBTransaction1();
    data::DataSet &clients = *module.taKliendid();
    clients.open();
    clients.fetchMore(1000);
    const int posts = std::min(1000, clients.fetchedCount());
    std::vector<qint64> codes;
    for (int r = 0; r < posts; ++r)
        codes.push_back(clients.valueAt(r, clients.field(QStringLiteral("KLIKOOD")).index()).toLongLong());

    int round = 0;
    const double ours = bestOf(3, [&] {
        ++round;
        for (int r = 0; r < posts; ++r) {
            clients.moveTo(r);
            clients.edit();
            clients.field(QStringLiteral("KLIFAX")).setText(QStringLiteral("600 %1 %2").arg(round).arg(r));
            clients.post();
        }
    });
    const double raw = bestOf(3, [&] {
        ++round;
        fb::Statement update(tr, QStringLiteral("update KLIENTK set KLIFAX = ? where KLIKOOD = ?"));
        for (int r = 0; r < posts; ++r) {
            update.setValue(0, QStringLiteral("600 %1 %2").arg(round).arg(r));
            update.setInt(1, codes[static_cast<size_t>(r)]);
            update.execute();
            tr.commitRetaining();
        }
    });
    BenchReport::line(QStringLiteral("post_changed_columns"), ours, raw, QStringLiteral("posts=%1").arg(posts));
    clients.close();
    module.Disconnect();
}

// The plan the engine chose for a statement: the line of its main stream, after the plans of the
// sub-selects of computed columns.
QString planOf(fb::Transaction &tr, const QString &sql)
{
    fb::Attachment &att = tr.attachment();
    const QByteArray text = att.codec().encode(sql);
    ISC_STATUS_ARRAY st;
    isc_stmt_handle h = 0;
    isc_dsql_allocate_statement(st, att.handlePtr(), &h);
    fb::FbError::check(st);
    isc_dsql_prepare(st, tr.handlePtr(), &h, 0, text.constData(), SQL_DIALECT_V6, nullptr);
    fb::FbError::check(st);
    char item = isc_info_sql_get_plan;
    std::vector<char> info(32768);
    isc_dsql_sql_info(st, &h, 1, &item, static_cast<short>(info.size()), info.data());
    fb::FbError::check(st);
    QString plan;
    if (info[0] == isc_info_sql_get_plan) {
        const int length = isc_vax_integer(info.data() + 1, 2);
        plan = QString::fromLatin1(info.data() + 3, length);
    }
    isc_dsql_free_statement(st, &h, DSQL_drop);
    const QStringList lines = plan.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

// The planned and performed contacts lists through the main data module's datasets with their
// windows' filters, against the bare client layer's fetch of the same statements.
void benchContactLists(const QString &path)
{
    data::Session session;
    session.Level = 5;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = paramsFor(path);
    module.Connect();
    fb::Transaction &tr = module.IBTransaction1();
    const int runs = 7;

    // The agent with the most plans.
    data::SqlStatement busiest(tr);
    busiest.setSql(QStringLiteral("select first 1 AGENTKOOD from KLIJKONT group by AGENTKOOD order by count(*) desc"));
    const QString agent = busiest.scalar().toString();

    data::DataSet &plans = *module.dataSet(QStringLiteral("taTanasedKliKontaktid"));
    contacts::PlannedContactFilterValues own;
    own.agentCode = agent;
    contacts::PlannedContactFilter::Apply(plans, own, session.Level);
    const QString planSql = plans.selectSql();
    const auto [firstOurs, firstRaw] = bestOfInTurns(
        runs,
        [&] {
            plans.close();
            plans.open();
            plans.fetchMore(100 - plans.fetchedCount());
        },
        [&] { rawFetch(tr, planSql, 100); });
    BenchReport::line(QStringLiteral("planned_contacts_agent_first_100"), firstOurs, firstRaw);
    const auto [allOurs, allRaw] = bestOfInTurns(
        runs,
        [&] {
            plans.close();
            plans.open();
            plans.fetchAll();
        },
        [&] { rawFetch(tr, planSql); });
    BenchReport::line(QStringLiteral("planned_contacts_agent_all"), allOurs, allRaw,
                      QStringLiteral("rows=%1").arg(plans.fetchedCount()));
    std::printf("# planned_contacts plan: %s\n", qPrintable(planOf(tr, planSql)));
    plans.close();

    // One agent's contacts of the last whole month of the register.
    data::SqlStatement last(tr);
    last.setSql(QStringLiteral("select max(KONTAKTKUUP) from KONTAKT"));
    const QDate newest = last.scalar().toDate();
    const QDate monthStart = QDate(newest.year(), newest.month(), 1).addMonths(-1);
    data::DataSet &contactsSet = *module.taKontaktid();
    contacts::ContactFilterValues month;
    month.agentCode = agent;
    month.dateFrom = monthStart.toString(QStringLiteral("dd.MM.yyyy"));
    month.dateTo = monthStart.addMonths(1).addDays(-1).toString(QStringLiteral("dd.MM.yyyy"));
    contacts::ContactFilter::Apply(contactsSet, month);
    const QString monthSql = contactsSet.selectSql();
    const auto [monthOurs, monthRaw] = bestOfInTurns(
        runs,
        [&] {
            contactsSet.close();
            contactsSet.open();
            contactsSet.fetchAll();
        },
        [&] { rawFetch(tr, monthSql); });
    BenchReport::line(QStringLiteral("performed_contacts_agent_month"), monthOurs, monthRaw,
                      QStringLiteral("rows=%1").arg(contactsSet.fetchedCount()));
    std::printf("# performed_contacts_agent_month plan: %s\n", qPrintable(planOf(tr, monthSql)));

    // Every contact: the first rows come without the rest being read.
    contacts::ContactFilter::Apply(contactsSet, {});
    const QString allSql = contactsSet.selectSql();
    const auto [headOurs, headRaw] = bestOfInTurns(
        runs,
        [&] {
            contactsSet.close();
            contactsSet.open();
            contactsSet.fetchMore(100 - contactsSet.fetchedCount());
        },
        [&] { rawFetch(tr, allSql, 100); });
    BenchReport::line(QStringLiteral("performed_contacts_first_100"), headOurs, headRaw,
                      QStringLiteral("fetched=%1").arg(contactsSet.fetchedCount()));
    contactsSet.close();
    module.Disconnect();
}

// A contact recorded against a plan, as the planned contacts list does it: the contact window
// prepared on the plan, the contact inserted and committed, the plan deleted and committed, and the
// two lists of the agent read again as far as a grid shows them. Against the bare statements of the
// same work.
void benchRegisterContact(const QString &path)
{
    data::Session session;
    session.Level = 2;
    session.DefaultAgentFilter = true;
    data::TData1 module(nullptr, nullptr, &session);
    module.Database1Params() = paramsFor(path);
    module.Connect();
    fb::Transaction &tr = module.IBTransaction1();
    data::SqlStatement pick(tr);
    // An agent's own client, and a contact type.
    pick.setSql(QStringLiteral("select first 1 KLIKOOD from KLIAGENT order by KLIKOOD desc"));
    const int client = pick.scalar().toInt();
    pick.setSql(QStringLiteral("select first 1 AGENTKOOD from KLIAGENT where KLIKOOD = %1").arg(client));
    session.AgentCode = pick.scalar().toInt();
    session.AgentName = QStringLiteral("Bench");
    pick.setSql(QStringLiteral("select min(KONTAKTLIIKKOOD) from KONTLIIK"));
    const int type = pick.scalar().toInt();
    pick.setSql(QStringLiteral("select coalesce(max(KONTAKTID), 0) from KONTAKT"));
    const qint64 firstNew = pick.scalar().toLongLong() + 1;
    module.SetSessionFilters();
    data::DataSet &plans = *module.dataSet(QStringLiteral("taTanasedKliKontaktid"));
    data::DataSet &contacts = *module.taKontaktid();
    plans.open();
    contacts.open();
    auto show100 = [](data::DataSet &ds) { ds.fetchMore(100 - ds.fetchedCount()); };
    show100(plans);
    show100(contacts);
    const QString plansSql = plans.selectSql();
    const QString contactsSql = contacts.selectSql();

    const int runs = 25;
    std::vector<int> planIds;
    for (int i = 0; i < 2 * runs; ++i) {
        fb::Statement next(tr, QStringLiteral("select gen_id(KLIJKONT_JKONTAKTID_GEN, 1) from RDB$DATABASE"));
        next.execute();
        next.fetch();
        const int id = static_cast<int>(next.value(0).toLongLong());
        fb::Statement insert(tr, QStringLiteral("insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, "
                                                "JKONTAKTKELL, JKONTAKTLIIK, JKONTAKTTEEMA, REGAGENTKOOD, AGENTTUTVUNUD) "
                                                "values (?, ?, ?, current_date, '10:00', ?, 'Bench', ?, 'Y')"));
        insert.setInt(0, id);
        insert.setInt(1, client);
        insert.setInt(2, session.AgentCode);
        insert.setInt(3, type);
        insert.setInt(4, session.AgentCode);
        insert.execute();
        planIds.push_back(id);
    }
    tr.commitRetaining();

    size_t nextPlan = 0;
    auto ours = [&] {
        contacts::TdmKontaktEdit edit(module);
        contacts::ContactRequest r;
        r.clientCode = client;
        r.clientName = QStringLiteral("Bench");
        r.agentCode = session.AgentCode;
        r.agentName = session.AgentName;
        r.planId = planIds[nextPlan++];
        edit.OpenNew(r);
        edit.Prepare();
        edit.Append();
        edit.taKontakt()->post();
        show100(plans);
        show100(contacts);
    };
    auto raw = [&] {
        const int planId = planIds[nextPlan++];
        fb::Statement plan(tr, QStringLiteral("select * from KLIJKONT where JKONTAKTID = ?"));
        plan.setInt(0, planId);
        plan.execute();
        plan.fetch();
        fb::Statement insert(tr, QStringLiteral("insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, "
                                                "KONTAKTKELL, KONTAKTKUUPKUNI, KONTAKTKELLKUNI, KONTAKTLIIK, "
                                                "KONTAKTYHIKUID, KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, "
                                                "REGAGENTKOOD) values (gen_id(KONTAKT_KONTAKTID_GEN, 1), ?, ?, "
                                                "current_date, '10:00', current_date, '10:30', ?, 30, 'Y', 'Bench', 0, ?)"));
        insert.setInt(0, session.AgentCode);
        insert.setInt(1, client);
        insert.setInt(2, type);
        insert.setInt(3, session.AgentCode);
        insert.execute();
        tr.commitRetaining();
        fb::Statement remove(tr, QStringLiteral("delete from KLIJKONT where JKONTAKTID = ?"));
        remove.setInt(0, planId);
        remove.execute();
        tr.commitRetaining();
        engineFetch(tr, plansSql, 100);
        engineFetch(tr, contactsSql, 100);
    };
    const auto [oursMs, rawMs] = bestOfInTurns(runs, ours, raw);
    BenchReport::line(QStringLiteral("register_contact_from_plan"), oursMs, rawMs,
                      QStringLiteral("client=%1 agent=%2 plans_shown=%3 contacts_shown=%4")
                          .arg(client)
                          .arg(session.AgentCode)
                          .arg(plans.fetchedCount())
                          .arg(contacts.fetchedCount()));
    // The database as it was: the bench's contacts and plans go.
    fb::Statement cleanup(tr, QStringLiteral("delete from KONTAKT where KONTAKTID >= ? and KONTAKTTEEMA = 'Bench'"));
    cleanup.setInt(0, firstNew);
    cleanup.execute();
    fb::Statement plansLeft(tr, QStringLiteral("delete from KLIJKONT where JKONTAKTTEEMA = 'Bench'"));
    plansLeft.execute();
    tr.commitRetaining();
}

double isqlMs(const QString &database, const QString &sql)
{
    QProcess isql;
    isql.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                           QStringLiteral("-ch"), QStringLiteral("ISO8859_1"), database});
    isql.waitForStarted();
    isql.write((QStringLiteral("set stats off;\n") + sql + QStringLiteral(";\nexit;\n")).toUtf8());
    isql.closeWriteChannel();
    isql.waitForFinished(-1);
    return elapsedMs(t);
}

} // namespace

int main(int argc, char *argv[])
{
    // The table print measures its texts with fonts, without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool quick = args.contains(QStringLiteral("--quick"));
    const int scale = quick ? 4 : 200;
    // "--database PATH": a demo database made before (velkora1db create PATH --demo --scale 200) is
    // measured instead of a new one, which takes minutes at full size; it is not created or measured.
    const qsizetype given = args.indexOf(QStringLiteral("--database"));
    const QString existing = given > 0 ? args.value(given + 1) : QString();

    QTemporaryDir dir;
    const QString path = existing.isEmpty() ? dir.filePath(QStringLiteral("bench.fdb")) : existing;
    try {
        // "--clients-only": the client list and the summary alone, for a register of a million
        // clients (velkora1db create PATH --clients 1000000 --persons 500000) given by --database.
        if (args.contains(QStringLiteral("--clients-only"))) {
            benchClientRegister(path);
            benchClientCard(path);
            return 0;
        }
        if (existing.isEmpty()) {
            std::printf("# velkora1bench: scale %d (%d clients)\n", scale, scale * data::DemoData::ClientsPerScale);
            QElapsedTimer t;
            t.start();
            data::DemoData::Counts counts;
            {
                fb::Attachment att = data::SchemaScript::createDatabase(paramsFor(path));
                data::DemoData::Options o;
                o.scale = scale;
                o.referenceDate = QDate(2026, 12, 1);
                counts = data::DemoData::fill(att, o);
            }
            const double createMs = elapsedMs(t);
            const double rawMs = rawInsertMs(dir.filePath(QStringLiteral("raw.fdb")), counts.clients,
                                             counts.contactPersons, counts.contacts);
            BenchReport::line(QStringLiteral("create_demo_database"), createMs, rawMs);
        } else {
            std::printf("# velkora1bench: %s\n", qPrintable(existing));
        }

        QElapsedTimer t;
        const QString clientSelect = QStringLiteral("select * from KLIENTK");
        fb::Attachment att = fb::Attachment::attach(paramsFor(path));
        fetchAll(att, clientSelect); // warm the page cache for both sides
        t.start();
        const qint64 rows = fetchAll(att, clientSelect);
        const double oursFetch = elapsedMs(t);
        att.detach(); // the embedded engine lets one process at a time open the file
        const double rawFetch = isqlMs(path, clientSelect);
        BenchReport::line(QStringLiteral("fetch_all_clients_vs_isql"), oursFetch, rawFetch);
        std::printf("# %lld clients fetched\n", static_cast<long long>(rows));
        // "--only WORD": only the groups whose name holds the word (quicker when one figure is worked on).
        const qsizetype only = args.indexOf(QStringLiteral("--only"));
        const QString wanted = only > 0 ? args.value(only + 1) : QString();
        auto run = [&](const char *group, const std::function<void()> &measure) {
            if (wanted.isEmpty() || QLatin1String(group).contains(wanted))
                measure();
        };
        run("client_list", [&] { benchClientList(path); });
        run("quick_search", [&] { benchQuickSearch(path); });
        run("export", [&] { benchExport(path, dir.path()); });
        run("print", [&] { benchPrint(path, dir.path()); });
        run("phone_search", [&] { benchPhoneSearch(path); });
        run("client_card", [&] { benchClientCard(path); });
        run("client_register", [&] { benchClientRegister(path); });
        run("post_changed_columns", [&] { benchPostChangedColumns(path); });
        run("planned_contacts performed_contacts", [&] { benchContactLists(path); });
        run("register_contact", [&] { benchRegisterContact(path); });
    } catch (const fb::FbError &e) {
        std::fprintf(stderr, "velkora1bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}

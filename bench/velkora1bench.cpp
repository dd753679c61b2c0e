// velkora1bench: measures the program's database paths against the database's own speed in the same
// run. Full size: 100,000 clients, 200,000 contact persons, 1,000,000 contacts; --quick: a small register.

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
#include "data/DataSet.h"
#include "data/DemoData.h"
#include "data/FilterBuilder.h"
#include "data/PhoneDigits.h"
#include "data/SchemaScript.h"
#include "data/Session.h"
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
    const double ours = bestOf(3, [&] {
        data::DataSet ds(tr, QStringLiteral("taKliendid"));
        ds.setSelectSql(clients);
        THDataTxtExport exporter;
        exporter.useProgramSettings();
        exporter.setSource(&ds);
        exporter.setDestFileName(file);
        exporter.Execute();
        rows = ds.fetchedCount();
    });
    const double raw = bestOf(3, [&] { rawFetch(tr, clients); });
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
        benchClientList(path);
        benchQuickSearch(path);
        benchExport(path, dir.path());
        benchPrint(path, dir.path());
        benchPhoneSearch(path);
        benchPostChangedColumns(path);
    } catch (const fb::FbError &e) {
        std::fprintf(stderr, "velkora1bench: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}

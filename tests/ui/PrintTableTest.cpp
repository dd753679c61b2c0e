// The table print: column widths and the paper's turn, the pages of a list of demo clients' sales with
// group subtotals and a grand total that must equal the database's own sums, and the PDF file read
// back with poppler's tools.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TempDatabase.h"
#include "WindowDriver.h"
#include "data/DataSet.h"
#include "data/DemoData.h"
#include "fb/Numeric.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"
#include "ui/PrintTable.h"
#include "ui/TableReport.h"

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintTableTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("print.fdb"));
        fb::Attachment att = s_db->connect();
        data::DemoData::Options o;
        o.scale = 1;
        o.referenceDate = QDate(2026, 12, 1);
        data::DemoData::fill(att, o);
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    void SetUp() override
    {
        m_att = std::make_unique<fb::Attachment>(s_db->connect());
        m_tr = std::make_unique<fb::Transaction>(*m_att);
    }

    std::unique_ptr<data::DataSet> dataSet(const QString &sql)
    {
        auto ds = std::make_unique<data::DataSet>(*m_tr, QStringLiteral("qTrykk"));
        ds->setSelectSql(sql);
        return ds;
    }

    // One row of a query as text.
    QStringList queryRow(const QString &sql)
    {
        fb::Statement st(*m_tr, sql);
        st.execute();
        QStringList out;
        if (st.fetch())
            for (int i = 0; i < st.columnCount(); ++i) {
                const QVariant v = st.value(i);
                out << (v.userType() == qMetaTypeId<fb::Numeric>() ? v.value<fb::Numeric>().toString() : v.toString());
            }
        return out;
    }

    static TempDatabase *s_db;
    std::unique_ptr<fb::Attachment> m_att;
    std::unique_ptr<fb::Transaction> m_tr;
};
TempDatabase *PrintTableTest::s_db = nullptr;

TEST_F(PrintTableTest, NarrowTableStaysUprightAndIsStretchedToTheRightMargin)
{
    auto ds = dataSet("select KLINIMI, KLILISAMKUUP, KLIKOOD from KLIENTK order by KLIKOOD");
    ds->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
    ds->defineField("KLILISAMKUUP").setDisplayLabel(QStringLiteral("Lisatud"));
    ds->defineField("KLIKOOD").setVisible(false);
    TableReport::Options o;
    TableReport report(*ds, o);
    ASSERT_EQ(report.columns().size(), 2u); // every visible field
    // 60 characters of the name; the date's 10 characters and one more, longer than "Lisatud".
    EXPECT_EQ(report.columns()[0].naturalWidth, 360);
    EXPECT_EQ(report.columns()[1].naturalWidth, 66);
    EXPECT_EQ(report.tableWidth(), 360 + 6 + 66 + 6);
    EXPECT_FALSE(report.landscape());
    EXPECT_DOUBLE_EQ(report.scale(), 663.0 / 438.0);
    EXPECT_EQ(report.columns()[0].x, 55);
    EXPECT_EQ(report.columns()[0].width, qRound(360 * 663.0 / 438.0));
    EXPECT_EQ(report.columns()[1].x, qRound(55 + report.columns()[0].width + 6 * 663.0 / 438.0));
    // The table ends at the right margin: 718 pixels of printable width on A4.
    EXPECT_EQ(55 + report.scaledTableWidth(), 718);
    EXPECT_NEAR(report.columns()[1].x + report.columns()[1].width + 6 * report.scale(), 718.0, 1.0);
}

TEST_F(PrintTableTest, WideTableTurnsThePageAndNoColumnTakesMoreThanItsCappedShare)
{
    auto ds = dataSet("select KLINIMI, KLIAADRESS, KLIEMAIL, KLITEL from KLIENTK");
    ds->defineField("KLINIMI").setDisplayWidth(200);
    ds->open();
    TableReport::Options o;
    o.columns = QStringList{"KLITEL", "KLINIMI", "KLIAADRESS", "KLIEMAIL"};
    TableReport report(*ds, o);
    ASSERT_EQ(report.columns().size(), 4u);
    EXPECT_EQ(report.columns()[0].fieldName, QStringLiteral("KLITEL")); // in the order given
    EXPECT_EQ(report.columns()[1].naturalWidth, 3 * 718 / 4);           // 1200 capped at 538
    EXPECT_EQ(report.tableWidth(), 120 + 538 + 360 + 300 + 4 * 6);
    EXPECT_TRUE(report.landscape());
    EXPECT_DOUBLE_EQ(report.scale(), (1047.0 - 55) / report.tableWidth());
    EXPECT_EQ(55 + report.scaledTableWidth(), 1047);
    EXPECT_EQ(report.pageWidth(), 1123);

    // No visible field and no list: nothing to print, and no preview.
    auto hidden = dataSet("select KLINIMI from KLIENTK");
    hidden->defineField("KLINIMI").setVisible(false);
    EXPECT_FALSE(PrintTable(hidden.get(), QStringLiteral("Kliendid"), {}, true, QString(), true));
}

TEST_F(PrintTableTest, SalesOfDemoClientsPrintWithSubtotalsAndGrandTotalEqualToTheDatabaseSums)
{
    auto ds = dataSet("select p.AGENTNIMI, k.KLINIMI, p.PERALGUS, p.PERLOPP, p.TOOTENIMI, p.PERMYYKSUMMA, "
                      "p.TEHINGUTE_ARV from PERMYYK p join KLIENTK k on k.KLIKOOD = p.KLIKOOD "
                      "order by p.AGENTNIMI, k.KLINIMI, p.PERALGUS");
    ds->defineField("AGENTNIMI").setDisplayLabel(QStringLiteral("Agent"));
    ds->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Klient"));
    ds->defineField("PERALGUS").setDisplayLabel(QStringLiteral("Algus"));
    ds->defineField("PERLOPP").setDisplayLabel(QStringLiteral("Lõpp"));
    ds->defineField("TOOTENIMI").setDisplayLabel(QStringLiteral("Toode"));
    ds->defineField("PERMYYKSUMMA").setDisplayLabel(QStringLiteral("Summa"));
    ds->defineField("TEHINGUTE_ARV").setDisplayLabel(QStringLiteral("Tehinguid"));
    TableReport::Options o;
    o.title = QStringLiteral("Müük klientidele");
    o.subtitle = QStringLiteral("Kõik agendid, periood 01.12.2025 - 30.11.2026");
    o.footerText = QStringLiteral("Lumora-Contact");
    o.groups = QStringList{"AGENTNIMI"};
    o.sums = QStringList{"PERMYYKSUMMA", "TEHINGUTE_ARV"};
    o.grandTotal = true;
    o.printedAt = QDateTime(QDate(2026, 12, 1), QTime(9, 30));
    TableReport report(*ds, o);
    report.build();
    ASSERT_TRUE(report.isPrintable());
    EXPECT_TRUE(report.landscape());
    ASSERT_GT(report.pageCount(), 1);

    // One footer per agent, then the grand total; each equals the database's own sums.
    fb::Statement agents(*m_tr, "select AGENTNIMI, sum(PERMYYKSUMMA), sum(TEHINGUTE_ARV) from PERMYYK p "
                                "join KLIENTK k on k.KLIKOOD = p.KLIKOOD group by AGENTNIMI order by AGENTNIMI");
    agents.execute();
    std::vector<TableReport::TotalLine> expected;
    while (agents.fetch()) {
        TableReport::TotalLine t;
        t.level = 0;
        t.groupValues << agents.value(0).toString();
        t.sums << agents.value(1).value<fb::Numeric>().toString() << agents.value(2).toString() + QStringLiteral(".00");
        expected.push_back(t);
    }
    const QStringList all = queryRow("select sum(PERMYYKSUMMA), sum(TEHINGUTE_ARV) from PERMYYK");
    ASSERT_EQ(all.size(), 2);
    ASSERT_GT(expected.size(), 1u);
    ASSERT_EQ(report.totals().size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report.totals()[i].level, 0);
        EXPECT_EQ(report.totals()[i].groupValues, expected[i].groupValues);
        EXPECT_EQ(report.totals()[i].sums, expected[i].sums);
    }
    EXPECT_EQ(report.totals().back().level, -1);
    EXPECT_EQ(report.totals().back().sums, (QStringList{all[0], all[1] + QStringLiteral(".00")}));

    // Every page carries the title, the column captions, its number of the count, and the footer.
    const QString pages = QString::number(report.pageCount());
    for (int i = 0; i < report.pageCount(); ++i) {
        const QStringList texts = report.pageTexts(i);
        EXPECT_EQ(texts.value(0), QStringLiteral("Leht %1/%2").arg(i + 1).arg(pages));
        EXPECT_EQ(texts.value(1), QStringLiteral("Müük klientidele"));
        EXPECT_EQ(texts.value(2), o.subtitle);
        EXPECT_EQ(texts.mid(3, 7), (QStringList{"Agent", "Klient", "Algus", "Lõpp", "Toode", "Summa", "Tehinguid"}));
        EXPECT_EQ(texts.mid(texts.size() - 2), (QStringList{"Lumora-Contact", "Trükitud 01.12.2026 09:30:00"}));
    }
    const QStringList last = report.pageTexts(report.pageCount() - 1);
    const qsizetype grandAt = last.indexOf(QStringLiteral("Kõik kokku:"));
    ASSERT_GE(grandAt, 0);
    EXPECT_EQ(last.mid(grandAt + 1, 2), (QStringList{all[0], all[1] + QStringLiteral(".00")}));
    EXPECT_GE(last.indexOf(QStringLiteral("kokku:")), 0); // the last agent's footer, under the client column

    // The PDF file: its pages, paper turned, and the texts as a reader finds them.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("myyk.pdf"));
    ASSERT_TRUE(report.writePdf(pdf));
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Müük klientidele")))) << info.toStdString();
    const QString first = run(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", "-layout", pdf, "-"});
    EXPECT_TRUE(first.contains(QStringLiteral("Leht 1/") + pages)) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Müük klientidele"))) << first.toStdString();
    const QString end = run(QStringLiteral("pdftotext"), {"-f", pages, "-l", pages, "-layout", pdf, "-"});
    EXPECT_TRUE(end.contains(QRegularExpression(
        QStringLiteral("Kõik kokku:\\s+%1\\s+%2.00").arg(QRegularExpression::escape(all[0]), all[1]))))
        << end.toStdString();
    if (qEnvironmentVariableIsSet("VELKORA1_KEEP_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("VELKORA1_KEEP_PDF"));
}

TEST_F(PrintTableTest, EmptyListStillPrintsOnePageAndThePreviewShowsTheTitle)
{
    auto ds = dataSet("select KLINIMI, KLIALE, KLIMAKSEAEG from KLIENTK where KLIKOOD < 0");
    ds->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
    TableReport::Options o;
    o.sums = QStringList{"KLIALE", "KLIMAKSEAEG"};
    o.grandTotal = true;
    o.countPages = false;
    TableReport report(*ds, o);
    report.build();
    ASSERT_EQ(report.pageCount(), 1);
    const QStringList texts = report.pageTexts(0);
    EXPECT_EQ(texts.value(0), QStringLiteral("Leht 1"));
    EXPECT_EQ(texts.value(1), QStringLiteral("Tabeli trükk"));
    EXPECT_EQ(texts.mid(texts.indexOf(QStringLiteral("Kõik kokku:")), 3), (QStringList{"Kõik kokku:", "0.00", "0.00"}));

    QString title;
    int previewPages = 0;
    whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog *preview) {
        title = preview->windowTitle();
        if (auto *widget = preview->findChild<QPrintPreviewWidget *>())
            previewPages = widget->pageCount();
        preview->reject();
    });
    EXPECT_TRUE(PrintTable(ds.get(), QStringLiteral("Kliendid"), {"KLINIMI"}, true, QString(), true));
    EXPECT_EQ(title, QStringLiteral("Kliendid"));
    EXPECT_EQ(previewPages, 1);
}

} // namespace

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

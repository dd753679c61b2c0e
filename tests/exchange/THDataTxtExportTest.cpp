// The text export of datasets: the bytes of the file as a spreadsheet reads them, the choice of
// columns, appending, the clipboard, and a failed export that must leave the previous file whole.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDir>
#include <QStringEncoder>
#include <QFile>
#include <QTemporaryDir>

#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/FieldTextRules.h"
#include "exchange/THDataTxtExport.h"
#include "fb/Transaction.h"

namespace {

QByteArray cp1252(const QString &text)
{
    QStringEncoder enc("windows-1252");
    return enc.encode(text);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class THDataTxtExportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("export.fdb"));
        s_db->execute({
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLILISAMKUUP, KLIALE, KLIMAKSEAEG, KLIKOMMENT, KLIEMAIL) values "
            "(1, 'Šašlõkk ja Žužu OÜ', '2024-03-05', 2.5, 14, 'rida 1' || ascii_char(13) || ascii_char(10) || "
            "'rida 2' || ascii_char(10) || 'rida' || ascii_char(9) || '3', null)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLILISAMKUUP, KLIALE, KLIMAKSEAEG, KLIKOMMENT, KLIEMAIL) values "
            "(2, 'Tab' || ascii_char(9) || 'Puit' || ascii_char(13) || ascii_char(10) || 'AS', null, null, -3, null, "
            "'info@puit.ee')",
        });
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
        m_ds = std::make_unique<data::DataSet>(*m_tr, QStringLiteral("taKliendid"));
        m_ds->setSelectSql("select KLIKOOD, KLINIMI, KLILISAMKUUP, KLIALE, KLIMAKSEAEG, KLIKOMMENT, KLIEMAIL "
                           "from KLIENTK order by KLIKOOD");
        m_ds->defineField("KLIKOOD").setDisplayLabel(QStringLiteral("Kood"));
        m_ds->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
        m_ds->defineField("KLILISAMKUUP").setDisplayLabel(QStringLiteral("Lisatud"));
        m_ds->defineField("KLIALE").setDisplayLabel(QStringLiteral("Soodustus"));
        m_ds->defineField("KLIMAKSEAEG").setDisplayLabel(QStringLiteral("MakseAeg"));
        m_ds->defineField("KLIKOMMENT").setDisplayLabel(QStringLiteral("Kommentaarid"));
        m_ds->defineField("KLIKOMMENT").onGetText = data::PikkKommentVeergGetText;
        m_ds->defineField("KLIEMAIL").setDisplayLabel(QStringLiteral("Email"));
        m_ds->open();
        m_export.setSource(m_ds.get());
        m_export.useProgramSettings();
        m_export.setUserInterface(&m_ui);
        m_file = m_dir.filePath(QStringLiteral("velkora1export.txt"));
        m_export.setDestFileName(m_file);
    }

    static TempDatabase *s_db;
    std::unique_ptr<fb::Attachment> m_att;
    std::unique_ptr<fb::Transaction> m_tr;
    std::unique_ptr<data::DataSet> m_ds;
    ScriptedUserInterface m_ui;
    THDataTxtExport m_export;
    QTemporaryDir m_dir;
    QString m_file;
};
TempDatabase *THDataTxtExportTest::s_db = nullptr;

TEST_F(THDataTxtExportTest, WritesCaptionsAndRowsInTheProgramsCodePageWithOneLinePerRow)
{
    m_ds->field("KLIKOOD").setVisible(false);
    m_export.Execute();
    // š and ž are single bytes of Windows-1252; memo and text line breaks and Tabs become blanks
    // (carriage returns go), so each row stays on its line; the empty e-mail keeps its column.
    const QByteArray expected =
        cp1252(QStringLiteral("Nimi\tLisatud\tSoodustus\tMakseAeg\tKommentaarid\tEmail\r\n"
                              "Šašlõkk ja Žužu OÜ\t05.03.2024\t2.5\t14\trida 1 rida 2 rida 3\t\r\n"
                              "Tab Puit AS\t\t\t-3\t\tinfo@puit.ee\r\n"));
    EXPECT_EQ(readFile(m_file), expected);
    EXPECT_EQ(expected.count('\x9a'), 1); // š
    EXPECT_EQ(expected.count('\x9e'), 1); // ž
    EXPECT_EQ(expected.count('\x8a'), 1); // Š

    // Without display text, numbers and dates take the export's own separators.
    m_export.setUseAllDisplayText(false);
    m_export.setColNames(false);
    m_export.setDateSepar(QLatin1Char('/'));
    EXPECT_EQ(m_export.tableText(), QStringLiteral("Šašlõkk ja Žužu OÜ\t05/03/2024\t2,5\t14\trida 1 rida 2 rida 3\t\r\n"
                                                   "Tab Puit AS\t\t\t-3\t\tinfo@puit.ee\r\n"));
}

TEST_F(THDataTxtExportTest, ChosenFieldsEachWriteTheirOwnValuesWhateverTheirCaptions)
{
    // Captions that would read as mappings, and two columns of one caption.
    m_ds->field("KLINIMI").setDisplayLabel(QStringLiteral("-Nimi"));
    m_ds->field("KLIEMAIL").setDisplayLabel(QStringLiteral("Kontakt=Email"));
    m_ds->field("KLIMAKSEAEG").setDisplayLabel(QStringLiteral("Arv"));
    m_ds->field("KLIKOOD").setDisplayLabel(QStringLiteral("Arv"));
    m_export.setFieldColumns({"KLIEMAIL", "KLIKOOD", "KLINIMI", "KLIMAKSEAEG"});
    EXPECT_EQ(m_export.tableText(), QStringLiteral("Kontakt=Email\tArv\t-Nimi\tArv\r\n"
                                                   "\t1\tŠašlõkk ja Žužu OÜ\t14\r\n"
                                                   "info@puit.ee\t2\tTab Puit AS\t-3\r\n"));
}

TEST_F(THDataTxtExportTest, MappingsRenameNegateAddConstantsAndMarkUnknownCaptions)
{
    m_export.setMappings({"Nimi", "  ", "-", "Päevad=-MakseAeg", "-MakseAeg", "Riik=\"EE\"", "Linn", "Kood"});
    EXPECT_EQ(m_export.tableText(), QStringLiteral("Nimi\tPäevad\tMakseAeg\tRiik\tLinn\tKood\r\n"
                                                   "Šašlõkk ja Žužu OÜ\t-14\t-14\tEE\t(field not found)\t1\r\n"
                                                   "Tab Puit AS\t3\t3\tEE\t(field not found)\t2\r\n"));
}

TEST_F(THDataTxtExportTest, EmptyDatasetGivesTheHeaderAndAppendingAddsRowsOnly)
{
    m_ds->close();
    m_ds->setSelectSql("select KLINIMI, KLIEMAIL from KLIENTK where KLIKOOD < 0");
    m_ds->open();
    m_export.setFieldColumns({"KLINIMI", "KLIEMAIL"});
    m_export.Execute();
    EXPECT_EQ(readFile(m_file), QByteArray("Nimi\tEmail\r\n"));

    m_ds->close();
    m_ds->setSelectSql("select KLINIMI, KLIEMAIL from KLIENTK order by KLIKOOD");
    m_ds->open();
    m_export.setExportMethod(THDataTxtExport::hteAppend);
    m_export.Execute();
    EXPECT_EQ(readFile(m_file),
              cp1252(QStringLiteral("Nimi\tEmail\r\nŠašlõkk ja Žužu OÜ\t\r\nTab Puit AS\tinfo@puit.ee\r\n")));

    // Appending to a file that does not exist yet starts it with the captions.
    QFile::remove(m_file);
    m_export.Execute();
    EXPECT_EQ(readFile(m_file),
              cp1252(QStringLiteral("Nimi\tEmail\r\nŠašlõkk ja Žužu OÜ\t\r\nTab Puit AS\tinfo@puit.ee\r\n")));
}

TEST_F(THDataTxtExportTest, FailedExportLeavesThePreviousFileWhole)
{
    const QByteArray previous("Vana\tfail\r\n1\t2\r\n");
    writeFile(m_file, previous);
    // A value that cannot be read halfway through the rows.
    m_ds->field("KLIEMAIL").onGetText = [](const data::Field &f, bool) -> QString {
        if (f.dataSet().currentRow() == 1)
            throw data::DataError(QStringLiteral("cannot read"));
        return f.asString();
    };
    EXPECT_THROW(m_export.Execute(), data::DataError);
    EXPECT_EQ(readFile(m_file), previous);
    m_export.setExportMethod(THDataTxtExport::hteAppend);
    EXPECT_THROW(m_export.Execute(), data::DataError);
    EXPECT_EQ(readFile(m_file), previous);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"velkora1export.txt"});
}

TEST_F(THDataTxtExportTest, DestinationInAReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const QString folder = m_dir.filePath(QStringLiteral("kaitstud"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/velkora1export.txt");
    const QByteArray previous("Vana\r\n");
    writeFile(file, previous);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "this user writes into read-only folders";
    }
    m_export.setDestFileName(file);
    EXPECT_THROW(m_export.Execute(), data::DataError);
    EXPECT_EQ(readFile(file), previous);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(THDataTxtExportTest, ClipboardTakesTheTableThroughTheUserInterfaceButNeverAnEmptyOne)
{
    m_export.setToClipBoard(true);
    m_export.setMappings({"Nimi", "MakseAeg"});
    m_export.Execute();
    EXPECT_EQ(m_ui.clipboardText(), QStringLiteral("Nimi\tMakseAeg\r\nŠašlõkk ja Žužu OÜ\t14\r\nTab Puit AS\t-3\r\n"));
    EXPECT_EQ(m_ui.clipboardWrites(), 1);
    EXPECT_FALSE(QFile::exists(m_file));

    m_ds->close();
    m_ds->setSelectSql("select KLINIMI, KLIMAKSEAEG from KLIENTK where KLIKOOD < 0");
    m_ds->open();
    m_export.setColNames(false);
    m_export.Execute();
    EXPECT_EQ(m_ui.clipboardWrites(), 1);
    EXPECT_EQ(m_ui.clipboardText(), QStringLiteral("Nimi\tMakseAeg\r\nŠašlõkk ja Žužu OÜ\t14\r\nTab Puit AS\t-3\r\n"));
}

TEST_F(THDataTxtExportTest, MissingSourceOrFileNameIsRefusedWithItsMessage)
{
    THDataTxtExport e;
    try {
        e.Execute();
        ADD_FAILURE() << "no source accepted";
    } catch (const data::DataError &err) {
        EXPECT_EQ(err.message(), QStringLiteral("Parameter 'Source' must have value !"));
    }
    // A source that goes away is forgotten.
    {
        data::DataSet gone(*m_tr, QStringLiteral("qGone"));
        e.setSource(&gone);
    }
    EXPECT_EQ(e.Source(), nullptr);
    e.setSource(m_ds.get());
    try {
        e.Execute();
        ADD_FAILURE() << "no file name accepted";
    } catch (const data::DataError &err) {
        EXPECT_EQ(err.message(), QStringLiteral("Parameter 'DestFileName' must have value !"));
    }
}

} // namespace

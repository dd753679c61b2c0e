// Program parameters and generators on a real database, seen also through a second connection.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "TempDatabase.h"
#include "data/Generators.h"
#include "data/ProgramParameters.h"
#include "data/DataError.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

class ProgramParametersTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_db = new TempDatabase(QStringLiteral("parameters.fdb")); }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    // What another workstation sees: a connection of its own.
    static std::optional<QString> seenElsewhere(const QString &name)
    {
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        fb::Statement st(tr, "select TEKSTVAARTUS from KPARAMS where PARAMEETER = ?");
        st.setString(0, name);
        st.execute();
        if (!st.fetch())
            return std::nullopt;
        return st.getString(0);
    }
    static int rowCount()
    {
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        fb::Statement st(tr, "select count(*) from KPARAMS");
        st.execute();
        st.fetch();
        return int(st.getInt(0));
    }
    static qint64 generatorElsewhere(const QString &name, int step = 0)
    {
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        fb::Statement st(tr, "select gen_id(" + name + ", " + QString::number(step) + ") from RDB$DATABASE");
        st.execute();
        st.fetch();
        const qint64 v = st.getInt(0);
        st.closeCursor();
        tr.commit();
        return v;
    }

    static TempDatabase *s_db;
};
TempDatabase *ProgramParametersTest::s_db = nullptr;

TEST_F(ProgramParametersTest, MissingParameterGivesTheDefaultAndCreatesNothing)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    ProgramParameters p(tr);
    const int before = rowCount();
    EXPECT_EQ(p.GetParameter(QStringLiteral("DocumentsRootDirectory")), QString());
    EXPECT_TRUE(p.GetParameter(QStringLiteral("DocumentsRootDirectory")).isEmpty());
    EXPECT_EQ(p.GetParameter(QStringLiteral("EiOleOlemas"), QStringLiteral("vaikimisi")), QStringLiteral("vaikimisi"));
    EXPECT_EQ(rowCount(), before);
}

TEST_F(ProgramParametersTest, SetInsertsThenUpdatesAndOthersSeeIt)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    ProgramParameters p(tr);
    const QString name = QStringLiteral("SMTPServerHost");
    const int before = rowCount();

    EXPECT_TRUE(p.SetParameter(name, QStringLiteral("mail.lumora.ee")));
    EXPECT_EQ(rowCount(), before + 1);
    EXPECT_EQ(p.GetParameter(name), QStringLiteral("mail.lumora.ee"));
    EXPECT_EQ(seenElsewhere(name), QStringLiteral("mail.lumora.ee"));

    EXPECT_TRUE(p.SetParameter(name, QStringLiteral("smtp.lumora.ee")));
    EXPECT_EQ(rowCount(), before + 1);
    EXPECT_EQ(p.GetParameter(name), QStringLiteral("smtp.lumora.ee"));
    EXPECT_EQ(seenElsewhere(name), QStringLiteral("smtp.lumora.ee"));

    // The same value again changes nothing, and an empty value is a value.
    EXPECT_TRUE(p.SetParameter(name, QStringLiteral("smtp.lumora.ee")));
    EXPECT_TRUE(p.SetParameter(name, QString()));
    EXPECT_EQ(seenElsewhere(name), QString());
    EXPECT_EQ(p.GetParameter(name, QStringLiteral("vaikimisi")), QString());
    EXPECT_EQ(rowCount(), before + 1);

    // The transaction goes on: what this connection reads later still works, and a change made
    // elsewhere in the meantime is read.
    {
        fb::Attachment other = s_db->connect();
        fb::Transaction otherTr(other);
        ProgramParameters elsewhere(otherTr);
        EXPECT_TRUE(elsewhere.SetParameter(name, QStringLiteral("teine.lumora.ee")));
    }
    EXPECT_EQ(p.GetParameter(name), QStringLiteral("teine.lumora.ee"));
    EXPECT_TRUE(tr.isActive());
}

TEST_F(ProgramParametersTest, ValuesAreStoredExactly)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    ProgramParameters p(tr);
    const QString values[] = {
        QStringLiteral("O'Brien's \"liin\" ';  drop table KPARAMS; --"),
        QStringLiteral("\\\\server\\Dokumendid\\Šveits ja Žanr"),
        QStringLiteral("  9, "),
        QString(255, QLatin1Char('z')),
    };
    for (const QString &v : values) {
        SCOPED_TRACE(v.toStdString());
        EXPECT_TRUE(p.SetParameter(QStringLiteral("DialerOutsideLineAccess"), v));
        EXPECT_EQ(p.GetParameter(QStringLiteral("DialerOutsideLineAccess")), v);
        EXPECT_EQ(seenElsewhere(QStringLiteral("DialerOutsideLineAccess")), v);
    }
    // A name with an apostrophe is a name like any other.
    EXPECT_TRUE(p.SetParameter(QStringLiteral("Nimi'ga"), QStringLiteral("x")));
    EXPECT_EQ(p.GetParameter(QStringLiteral("Nimi'ga")), QStringLiteral("x"));
    // Names keep their letter case.
    EXPECT_EQ(p.GetParameter(QStringLiteral("dialeroutsidelineaccess"), QStringLiteral("puudub")),
              QStringLiteral("puudub"));
}

TEST_F(ProgramParametersTest, ValueTooLongForTheColumnIsRefusedByTheServer)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    ProgramParameters p(tr);
    ASSERT_TRUE(p.SetParameter(QStringLiteral("DefaultMailMsgType"), QStringLiteral("SMTP")));
    try {
        p.SetParameter(QStringLiteral("DefaultMailMsgType"), QString(256, QLatin1Char('y')));
        ADD_FAILURE() << "a value longer than the column was taken";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.hasCode(fb::FbError::StringTruncation)) << e.what();
    }
    EXPECT_EQ(seenElsewhere(QStringLiteral("DefaultMailMsgType")), QStringLiteral("SMTP"));
}

TEST_F(ProgramParametersTest, GeneratorsAreListedReadAndSet)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    Generators g(tr);
    const QStringList names = g.names();
    EXPECT_TRUE(names.contains(QStringLiteral("KLIENTK_KLIKOOD_GEN")));
    EXPECT_TRUE(names.contains(QStringLiteral("KONTAKT_KONTAKTID_GEN")));
    EXPECT_TRUE(names.contains(QStringLiteral("GEN_RIIK_RIIKID")));
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    for (const QString &n : names) {
        EXPECT_FALSE(n.startsWith(QStringLiteral("RDB$"))) << n.toStdString();
        EXPECT_EQ(n, n.trimmed());
    }

    const QString name = QStringLiteral("KLIENTK_KLIKOOD_GEN");
    const qint64 start = generatorElsewhere(name);
    EXPECT_EQ(g.value(name), start);
    g.setValue(name, 5000);
    EXPECT_EQ(g.value(name), 5000);
    EXPECT_EQ(generatorElsewhere(name), 5000);
    // The next key drawn follows the value set.
    EXPECT_EQ(generatorElsewhere(name, 1), 5001);
    EXPECT_EQ(g.value(name), 5001);
    g.setValue(name, Q_INT64_C(9000000000));
    EXPECT_EQ(generatorElsewhere(name), Q_INT64_C(9000000000));
    g.setValue(name, 0);
    EXPECT_EQ(g.value(name), 0);
    EXPECT_TRUE(tr.isActive());
}

TEST_F(ProgramParametersTest, OnlyGeneratorsOfTheListAreTouched)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    Generators g(tr);
    const qint64 before = generatorElsewhere(QStringLiteral("AGENTK_AGENTKOOD_GEN"));
    const QString refused[] = {
        QStringLiteral("EI_OLE_SELLIST_GEN"),
        QStringLiteral("agentk_agentkood_gen"),
        QStringLiteral("AGENTK_AGENTKOOD_GEN "),
        QStringLiteral("AGENTK_AGENTKOOD_GEN, 0) from RDB$DATABASE; --"),
        QStringLiteral("AGENTK_AGENTKOOD_GEN TO 1; SET GENERATOR KLIENTK_KLIKOOD_GEN"),
        QStringLiteral("RDB$PROCEDURES"),
        QString(),
    };
    for (const QString &name : refused) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(g.isGenerator(name));
        EXPECT_THROW(g.value(name), data::DataError);
        EXPECT_THROW(g.setValue(name, 77), data::DataError);
    }
    EXPECT_EQ(generatorElsewhere(QStringLiteral("AGENTK_AGENTKOOD_GEN")), before);
    EXPECT_TRUE(g.isGenerator(QStringLiteral("AGENTK_AGENTKOOD_GEN")));
}

} // namespace

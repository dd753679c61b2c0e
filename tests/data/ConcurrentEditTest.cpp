// Two users editing one client at once, each with the main data module over a connection of its own
// to one database: what the one saves must not silently undo what the other saved.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/DataError.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

using data::DataSet;

namespace {

const QString ChangedMeanwhile = QStringLiteral(
    "Kirjet on vahepeal teine kasutaja muutnud (veerg '%1'). Teie muudatusi ei salvestatud; tühistage muudatus, "
    "värskendage kirjet ja proovige uuesti.");

// One running program: its session, its main data module and its own connection.
struct User
{
    explicit User(const TempDatabase &db)
    {
        session.Level = 3;
        session.AgentCode = 7;
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = db.params();
        module->Connect();
    }

    // The client list on the given client, as the user has it on the screen.
    DataSet &client(int code)
    {
        DataSet &clients = *module->taKliendid();
        clients.open();
        EXPECT_TRUE(clients.locate(QStringLiteral("KLIKOOD"), code));
        return clients;
    }

    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};

class ConcurrentEditTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        TempDatabase::shared().execute({
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Mari', 'Tamm')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLITEL, KLITELTRIM) values (501, 'Põhja Puit', '600 1000', "
            "'6001000')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIKOMMENT) values (502, 'Lõuna Kivi', 'Algne märkus')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (503, 'Ida Klaas')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (504, 'Lääne Metall')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (505, 'Kesk Paber')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLITEL) values (506, 'Saare Vili', '600 3000')",
        });
    }

    void SetUp() override { data::ClearFilterRegistry(); }
    void TearDown() override { data::ClearFilterRegistry(); }

    // The client's columns as stored, read by a third connection: "KLINIMI|KLITEL|..." with "-" for null.
    static QString stored(int code, const QString &columns)
    {
        fb::Attachment other = TempDatabase::shared().connect();
        fb::Transaction t(other);
        fb::Statement st(t, QStringLiteral("select %1 from KLIENTK where KLIKOOD = %2").arg(columns).arg(code));
        st.execute();
        QStringList values;
        if (st.fetch())
            for (int c = 0; c < st.columnCount(); ++c)
                values << (st.isNull(c) ? QStringLiteral("-") : st.getString(c));
        return values.join(QLatin1Char('|'));
    }

    // Another user's change of the client, written and held uncommitted until the transaction ends.
    struct HeldChange
    {
        explicit HeldChange(const QString &sql)
            : attachment(TempDatabase::shared().connect())
            , transaction(attachment)
        {
            fb::Statement st(transaction, sql);
            st.execute();
        }
        fb::Attachment attachment;
        fb::Transaction transaction;
    };

    static void expectRefused(DataSet &ds, const QString &message)
    {
        try {
            ds.post();
            ADD_FAILURE() << "the post overwrote another user's change";
        } catch (const data::DataError &e) {
            EXPECT_EQ(e.message(), message);
        }
        EXPECT_EQ(ds.state(), DataSet::State::Edit);
    }
};

TEST_F(ConcurrentEditTest, ChangesOfDifferentColumnsByTwoUsersBothSurvive)
{
    User mari(TempDatabase::shared());
    User jaan(TempDatabase::shared());
    DataSet &first = mari.client(501);
    DataSet &second = jaan.client(501);

    // Both have the client on the screen; Mari changes the telephone (and with it the search column)
    // and the note, Jaan then the e-mail address and the name.
    first.edit();
    first.field("KLITEL").setText(QStringLiteral("(0)5 123-456"));
    first.field("KLIKOMMENT").setText(QStringLiteral("Mari märkus"));
    first.post();
    second.edit();
    second.field("KLIEMAIL").setText(QStringLiteral("info@pohjapuit.ee"));
    second.field("KLINIMI").setText(QStringLiteral("Põhja Puit AS"));
    second.post();

    EXPECT_EQ(stored(501, "KLINIMI, KLITEL, KLITELTRIM, KLIEMAIL, KLIKOMMENT"),
              QStringLiteral("Põhja Puit AS|(0)5 123-456|5123456|info@pohjapuit.ee|Mari märkus"));
    // The row is read again after the post, so Jaan now sees Mari's changes too.
    EXPECT_EQ(second.state(), DataSet::State::Browse);
    EXPECT_EQ(second.field("KLITEL").asString(), QStringLiteral("(0)5 123-456"));
    EXPECT_EQ(second.field("KLIKOMMENT").asString(), QStringLiteral("Mari märkus"));

    // And the other way round, with Mari's row still as she last saved it.
    first.edit();
    first.field("KLIFAX").setText(QStringLiteral("600 1001"));
    first.post();
    EXPECT_EQ(stored(501, "KLINIMI, KLIEMAIL, KLIFAX"), QStringLiteral("Põhja Puit AS|info@pohjapuit.ee|600 1001"));
    EXPECT_EQ(first.field("KLINIMI").asString(), QStringLiteral("Põhja Puit AS"));
}

TEST_F(ConcurrentEditTest, SameColumnChangedByBothIsRefusedToTheSecondWithItsValuesKept)
{
    User mari(TempDatabase::shared());
    User jaan(TempDatabase::shared());
    DataSet &first = mari.client(502);
    DataSet &second = jaan.client(502);

    first.edit();
    first.field("KLINIMI").setText(QStringLiteral("Lõuna Kivi OÜ"));
    first.field("KLIKOMMENT").setText(QStringLiteral("Mari märkus"));
    first.post();

    // Jaan changes the name too, and a column Mari did not touch.
    second.edit();
    second.field("KLINIMI").setText(QStringLiteral("Lõuna Kivitööstus"));
    second.field("KLIEMAIL").setText(QStringLiteral("jaan@kivi.ee"));
    expectRefused(second, ChangedMeanwhile.arg("Nimi"));
    EXPECT_EQ(second.field("KLINIMI").asString(), QStringLiteral("Lõuna Kivitööstus"));
    EXPECT_EQ(second.field("KLIEMAIL").asString(), QStringLiteral("jaan@kivi.ee"));
    EXPECT_EQ(stored(502, "KLINIMI, KLIEMAIL, KLIKOMMENT"), QStringLiteral("Lõuna Kivi OÜ|-|Mari märkus"));

    // Having seen the row as it is now, Jaan's change goes through.
    second.cancel();
    second.refresh();
    EXPECT_EQ(second.field("KLINIMI").asString(), QStringLiteral("Lõuna Kivi OÜ"));
    second.edit();
    second.field("KLIEMAIL").setText(QStringLiteral("jaan@kivi.ee"));
    second.post();
    EXPECT_EQ(stored(502, "KLINIMI, KLIEMAIL"), QStringLiteral("Lõuna Kivi OÜ|jaan@kivi.ee"));

    // A memo is compared by its contents like any other column.
    second.edit();
    second.field("KLIKOMMENT").setText(QStringLiteral("Jaani märkus"));
    first.edit();
    first.field("KLIKOMMENT").setText(QStringLiteral("Mari teine märkus"));
    first.post();
    expectRefused(second, ChangedMeanwhile.arg("KLIKOMMENT"));
    EXPECT_EQ(second.field("KLIKOMMENT").asString(), QStringLiteral("Jaani märkus"));
    EXPECT_EQ(stored(502, "KLIKOMMENT, KLIEMAIL"), QStringLiteral("Mari teine märkus|jaan@kivi.ee"));
    EXPECT_EQ(first.field("KLIEMAIL").asString(), QStringLiteral("jaan@kivi.ee"));

    second.cancel();

    // A client deleted meanwhile is said to be so.
    DataSet &gone = jaan.client(505);
    gone.edit();
    gone.field("KLIEMAIL").setText(QStringLiteral("kesk@paber.ee"));
    TempDatabase::shared().execute({"delete from KLIENTK where KLIKOOD = 505"});
    expectRefused(gone, QStringLiteral("Teine kasutaja on kirje vahepeal kustutanud. Teie muudatusi ei salvestatud."));
    EXPECT_EQ(gone.field("KLIEMAIL").asString(), QStringLiteral("kesk@paber.ee"));
}

TEST_F(ConcurrentEditTest, RowHeldByAnotherUserRefusesThePostUntilReleased)
{
    User mari(TempDatabase::shared());
    DataSet &clients = mari.client(503);
    {
        HeldChange jaan("update KLIENTK set KLIEMAIL = 'jaan@klaas.ee' where KLIKOOD = 503");
        clients.edit();
        clients.field("KLITEL").setText(QStringLiteral("5555 0503"));
        try {
            clients.post();
            ADD_FAILURE() << "the post waited or overwrote the held row";
        } catch (const fb::FbError &e) {
            EXPECT_TRUE(e.isLockConflict()) << e.message().toStdString();
        }
        EXPECT_EQ(clients.state(), DataSet::State::Edit);
        EXPECT_EQ(clients.field("KLITEL").asString(), QStringLiteral("5555 0503"));
        jaan.transaction.commit();
    }
    // Jaan changed another column: Mari's save now goes through and both changes stay.
    clients.post();
    EXPECT_EQ(stored(503, "KLITEL, KLITELTRIM, KLIEMAIL"), QStringLiteral("5555 0503|55550503|jaan@klaas.ee"));
    EXPECT_EQ(clients.field("KLIEMAIL").asString(), QStringLiteral("jaan@klaas.ee"));

    // The same column held and then committed by Jaan: Mari is told instead of overwriting it.
    {
        HeldChange jaan("update KLIENTK set KLITEL = '5555 9999' where KLIKOOD = 503");
        clients.edit();
        clients.field("KLITEL").setText(QStringLiteral("5555 1111"));
        EXPECT_THROW(clients.post(), fb::FbError);
        jaan.transaction.commit();
    }
    expectRefused(clients, ChangedMeanwhile.arg("KLITEL"));
    EXPECT_EQ(clients.field("KLITEL").asString(), QStringLiteral("5555 1111"));
    EXPECT_EQ(stored(503, "KLITEL"), QStringLiteral("5555 9999"));

    // Rolled back instead: the save goes through.
    clients.cancel();
    clients.refresh();
    {
        HeldChange jaan("update KLIENTK set KLITEL = '0' where KLIKOOD = 503");
        clients.edit();
        clients.field("KLITEL").setText(QStringLiteral("5555 2222"));
        EXPECT_THROW(clients.post(), fb::FbError);
        jaan.transaction.rollback();
    }
    clients.post();
    EXPECT_EQ(stored(503, "KLITEL, KLITELTRIM"), QStringLiteral("5555 2222|55552222"));
}

TEST_F(ConcurrentEditTest, EditThatChangesNothingWritesNothing)
{
    User mari(TempDatabase::shared());
    DataSet &clients = mari.client(504);
    // A write of any column would run into the row Jaan holds.
    HeldChange jaan("update KLIENTK set KLIFAX = '1' where KLIKOOD = 504");

    clients.edit();
    clients.post();
    EXPECT_EQ(clients.state(), DataSet::State::Browse);

    // Typed again as it was: still no change.
    clients.edit();
    clients.field("KLINIMI").setText(QStringLiteral("Lääne Metall"));
    clients.field("KLITEL").setText(QString());
    clients.post();
    EXPECT_EQ(clients.state(), DataSet::State::Browse);

    jaan.transaction.rollback();
    EXPECT_EQ(stored(504, "KLINIMI, KLITEL, KLITELTRIM, KLIFAX"), QStringLiteral("Lääne Metall|-|-|-"));
}

} // namespace

TEST_F(ConcurrentEditTest, ColumnsTheProgramDerivesDoNotStopTheUsersOwnChange)
{
    User mari(TempDatabase::shared());
    DataSet &client = mari.client(506);
    client.edit();
    client.field(QStringLiteral("KLITEL")).setText(QStringLiteral("600 4000"));
    // Meanwhile the telephone search column is rebuilt for the number as it was: no user's work.
    TempDatabase::shared().execute({"update KLIENTK set KLITELTRIM = '6003000' where KLIKOOD = 506"});
    client.post();
    EXPECT_EQ(client.state(), DataSet::State::Browse);
    EXPECT_EQ(stored(506, QStringLiteral("KLITEL, KLITELTRIM")), QStringLiteral("600 4000|6004000"));

    // The number itself changed by another user is still that user's work, and is refused.
    client.edit();
    client.field(QStringLiteral("KLITEL")).setText(QStringLiteral("600 5000"));
    TempDatabase::shared().execute({"update KLIENTK set KLITEL = '600 6000', KLITELTRIM = '6006000' where KLIKOOD = 506"});
    expectRefused(client, ChangedMeanwhile.arg(client.field(QStringLiteral("KLITEL")).displayLabel()));
    client.cancel();
}

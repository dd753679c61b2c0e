// The dataset layer against the program's schema on a fresh embedded database.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QStringList>

#include "TempDatabase.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSetRules.h"
#include "data/DataSource.h"
#include "data/FieldTextRules.h"
#include "data/PhoneDigits.h"
#include "data/SqlStatement.h"
#include "data/UpdateObject.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

using data::DataSet;

namespace {

class DataSetTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_db = new TempDatabase(QStringLiteral("datasets.fdb"));
        fb::Attachment att = s_db->connect();
        fb::Transaction tr(att);
        tr.start();
        att.executeImmediate(tr, "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')");
        att.executeImmediate(tr, "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)");
        att.executeImmediate(tr, "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (2, 'Tartu', 1)");
        att.executeImmediate(tr, "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('OÜ', 'Osaühing')");
        att.executeImmediate(tr, "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('AS', 'Aktsiaselts')");
        att.executeImmediate(tr, "execute block as declare i integer = 1; begin while (i <= 3000) do begin "
                                 "insert into KLIENTK (KLIKOOD, KLINIMI, LINNVALDKOOD, KLIOMVORM) values "
                                 "(:i, 'Klient ' || lpad(:i, 5, '0'), 1 + mod(:i, 2), 'OÜ'); i = i + 1; end end");
        att.executeImmediate(tr, "alter sequence KLIENTK_KLIKOOD_GEN restart with 3000");
        att.executeImmediate(tr, "alter sequence LINNVALD_LINNVALDKOOD_GEN restart with 2");
        tr.commit();
    }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    void SetUp() override
    {
        att = s_db->connect();
        tr = std::make_unique<fb::Transaction>(att);
        tr->start();
    }
    void TearDown() override
    {
        tr.reset();
        att.detach();
    }

    // The client list as the program edits it: one row per client, written back through its statements.
    std::unique_ptr<DataSet> clients(const QString &where = QString())
    {
        auto ds = std::make_unique<DataSet>(*tr, QStringLiteral("taKliendid"));
        ds->setSelectSql("select KLIKOOD, KLINIMI, KLIOMVORM, LINNVALDKOOD, LINNVALDNIMI, KLIPYSI, KLIKOMMENT, "
                         "KLIENTAKTIIVNE from KLIENTK " + where + " order by KLIKOOD");
        ds->setRefreshSql("select KLIKOOD, KLINIMI, KLIOMVORM, LINNVALDKOOD, LINNVALDNIMI, KLIPYSI, KLIKOMMENT, "
                          "KLIENTAKTIIVNE from KLIENTK where KLIKOOD = :KLIKOOD");
        ds->setInsertSql("insert into KLIENTK (KLIKOOD, KLINIMI, KLIOMVORM, LINNVALDKOOD, KLIPYSI, KLIKOMMENT) "
                         "values (:KLIKOOD, :KLINIMI, :KLIOMVORM, :LINNVALDKOOD, :KLIPYSI, :KLIKOMMENT)");
        ds->setModifySql("update KLIENTK set KLIKOOD = :KLIKOOD, KLINIMI = :KLINIMI, KLIOMVORM = :KLIOMVORM, "
                         "LINNVALDKOOD = :LINNVALDKOOD, KLIPYSI = :KLIPYSI, KLIKOMMENT = :KLIKOMMENT "
                         "where KLIKOOD = :OLD_KLIKOOD");
        ds->setDeleteSql("delete from KLIENTK where KLIKOOD = :OLD_KLIKOOD");
        ds->setGenerator("KLIKOOD", "KLIENTK_KLIKOOD_GEN");
        ds->defineField("KLINIMI").setDisplayLabel(QStringLiteral("Nimi"));
        ds->field("KLINIMI").setRequired(true);
        ds->field("KLINIMI").onSetText = data::VeergSetEmptyText;
        ds->defineField("KLIPYSI").onSetText = data::MyBoolFieldSetText;
        ds->defineField("KLIPYSI").setDefaultValue(QStringLiteral("N"));
        ds->defineField("KLIKOMMENT").onGetText = data::PikkKommentVeergGetText;
        data::CommitAfterChanges(*ds);
        return ds;
    }

    qint64 countOnOtherConnection(const QString &sql)
    {
        fb::Attachment other = s_db->connect();
        fb::Transaction t(other);
        fb::Statement st(t, sql);
        st.execute();
        return st.fetch() ? st.getInt(0) : -1;
    }

    static TempDatabase *s_db;
    fb::Attachment att;
    std::unique_ptr<fb::Transaction> tr;
};
TempDatabase *DataSetTest::s_db = nullptr;

TEST_F(DataSetTest, OpeningFetchesOnlyWhatIsShown)
{
    auto ds = clients();
    ds->open();
    EXPECT_EQ(ds->state(), DataSet::State::Browse);
    EXPECT_LE(ds->fetchedCount(), 1);
    EXPECT_FALSE(ds->isFullyFetched());
    EXPECT_EQ(ds->field("KLINIMI").asString(), QStringLiteral("Klient 00001"));

    EXPECT_EQ(ds->fetchMore(100), 100);
    EXPECT_TRUE(ds->locate("KLINIMI", QStringLiteral("klient 01500"), true));
    EXPECT_EQ(ds->field("KLIKOOD").asInt(), 1500);
    EXPECT_LT(ds->fetchedCount(), 3000);
    EXPECT_FALSE(ds->locate("KLINIMI", QStringLiteral("Puudub")));

    ds->last();
    EXPECT_TRUE(ds->isFullyFetched());
    EXPECT_EQ(ds->field("KLIKOOD").asInt(), 3000);
    EXPECT_GE(ds->recordCount(), 3000);
    ds->next();
    EXPECT_TRUE(ds->eof());
    ds->first();
    EXPECT_EQ(ds->field("KLIKOOD").asInt(), 1);
    ds->prior();
    EXPECT_TRUE(ds->bof());
}

TEST_F(DataSetTest, InsertPostDrawsTheKeyRereadsTheRowAndCommits)
{
    auto ds = clients("where KLIKOOD > 3000");
    QStringList events;
    ds->beforeInsert.push_back([&](DataSet &) { events << "beforeInsert"; });
    ds->onNewRecord.push_back([&](DataSet &) { events << "onNewRecord"; });
    ds->afterInsert.push_back([&](DataSet &) { events << "afterInsert"; });
    ds->beforePost.push_back([&](DataSet &) { events << "beforePost"; });
    ds->afterPost.insert(ds->afterPost.begin(), [&](DataSet &) { events << "afterPost"; });
    ds->field("KLINIMI").onChange = [&](data::Field &) { events << "change"; };
    ds->open();
    EXPECT_TRUE(ds->isEmpty());

    ds->append();
    EXPECT_EQ(ds->state(), DataSet::State::Insert);
    EXPECT_EQ(ds->field("KLIPYSI").asString(), QStringLiteral("N")); // default value
    EXPECT_TRUE(ds->field("KLIKOOD").isNull());                      // drawn on post
    ds->field("KLINIMI").setText(QStringLiteral("Šokolaadi Žürii OÜ"));
    ds->field("LINNVALDKOOD").setText(QStringLiteral("2"));
    ds->field("KLIPYSI").setText(QStringLiteral("jah"));
    ds->post();

    EXPECT_EQ(ds->state(), DataSet::State::Browse);
    EXPECT_EQ(ds->field("KLIKOOD").asInt(), 3001);
    EXPECT_EQ(ds->field("KLIPYSI").asString(), QStringLiteral("Y"));
    EXPECT_EQ(ds->field("LINNVALDNIMI").asString(), QStringLiteral("Tartu")); // computed by the server, re-read
    EXPECT_EQ(ds->field("KLIENTAKTIIVNE").asString(), QStringLiteral("Y")); // the column default, re-read
    EXPECT_EQ(events, (QStringList{"beforeInsert", "onNewRecord", "afterInsert", "change", "beforePost", "afterPost"}));
    // Committed with commit-retaining: another connection sees it and the dataset stays open.
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLINIMI = 'Šokolaadi Žürii OÜ'"), 1);
    EXPECT_TRUE(ds->isActive());

    ds->remove();
    EXPECT_TRUE(ds->isEmpty());
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 3001"), 0);
}

TEST_F(DataSetTest, RefusedPostKeepsTheRowAndCommitsNothing)
{
    auto ds = clients("where KLIKOOD > 3000");
    ds->open();
    ds->append();
    ds->field("LINNVALDKOOD").setValue(1);
    ds->field("KLINIMI").setText(QString());
    try {
        ds->post();
        FAIL() << "a client without a name was posted";
    } catch (const data::DataError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'Nimi' must have a value"));
    }
    EXPECT_EQ(ds->state(), DataSet::State::Insert);
    EXPECT_EQ(ds->field("LINNVALDKOOD").asInt(), 1);

    // The server refuses a place that does not exist; the row keeps the user's values.
    ds->field("KLINIMI").setText(QStringLiteral("Vale koht OÜ"));
    ds->field("LINNVALDKOOD").setValue(99);
    EXPECT_THROW(ds->post(), fb::FbError);
    EXPECT_EQ(ds->state(), DataSet::State::Insert);
    EXPECT_EQ(ds->field("KLINIMI").asString(), QStringLiteral("Vale koht OÜ"));
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLINIMI = 'Vale koht OÜ'"), 0);

    // Corrected, it posts.
    ds->field("LINNVALDKOOD").setValue(2);
    ds->post();
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLINIMI = 'Vale koht OÜ'"), 1);
    ds->remove();

    // Cancel drops the new row.
    ds->append();
    ds->field("KLINIMI").setText(QStringLiteral("Tühistatud"));
    ds->cancel();
    EXPECT_TRUE(ds->isEmpty());
    EXPECT_EQ(ds->state(), DataSet::State::Browse);
}

TEST_F(DataSetTest, ChangedKeyIsFoundByItsOldValue)
{
    auto forms = std::make_unique<DataSet>(*tr, QStringLiteral("taOmandiVormid"));
    forms->setSelectSql("select OMANDIVORM, OMANDIVORMNIMI from OMVORM order by OMANDIVORM");
    forms->setModifySql("update OMVORM set OMANDIVORM = :OMANDIVORM, OMANDIVORMNIMI = :OMANDIVORMNIMI "
                        "where OMANDIVORM = :OLD_OMANDIVORM");
    forms->setRefreshSql("select OMANDIVORM, OMANDIVORMNIMI from OMVORM where OMANDIVORM = :OMANDIVORM");
    forms->open();
    ASSERT_TRUE(forms->locate("OMANDIVORM", QStringLiteral("AS")));
    forms->edit();
    forms->field("OMANDIVORM").setText(QStringLiteral("ASS"));
    EXPECT_EQ(forms->field("OMANDIVORM").oldValue().toString(), QStringLiteral("AS"));
    forms->post();
    tr->commitRetaining();
    EXPECT_EQ(countOnOtherConnection("select count(*) from OMVORM where OMANDIVORM = 'ASS' and OMANDIVORMNIMI = 'Aktsiaselts'"), 1);
    EXPECT_EQ(countOnOtherConnection("select count(*) from OMVORM where OMANDIVORM = 'AS'"), 0);
    // After the post the new key is the old value of the next change.
    forms->edit();
    forms->field("OMANDIVORM").setText(QStringLiteral("AS"));
    forms->post();
    tr->commitRetaining();
    EXPECT_EQ(countOnOtherConnection("select count(*) from OMVORM where OMANDIVORM = 'AS'"), 1);
}

TEST_F(DataSetTest, DetailChangePostsTheMasterFirstAndNeedsAMasterRow)
{
    auto master = clients("where KLIKOOD > 3000");
    data::DataSource dsKliendid(master.get());
    auto persons = std::make_unique<DataSet>(*tr, QStringLiteral("taKontaktIsikud"));
    persons->setSelectSql("select KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI from KLIKISIK where KLIKOOD = :KLIKOOD");
    persons->setInsertSql("insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) "
                          "values (:KLIKISIKKOOD, :KLIKOOD, :KONTAKTISIKNIMI)");
    persons->setModifySql("update KLIKISIK set KONTAKTISIKNIMI = :KONTAKTISIKNIMI where KLIKISIKKOOD = :OLD_KLIKISIKKOOD");
    persons->setDeleteSql("delete from KLIKISIK where KLIKISIKKOOD = :OLD_KLIKISIKKOOD");
    persons->setGenerator("KLIKISIKKOOD", "KLIKISIK_KLIKISIKKOOD_GEN");
    persons->setMasterSource(&dsKliendid);
    data::PostMasterBeforeDetailChanges(*persons);
    data::CommitAfterChanges(*persons);
    persons->onNewRecord.push_back([&](DataSet &d) { d.field("KLIKOOD").setValue(master->field("KLIKOOD").value()); });

    master->open();
    persons->open();
    // No client: inserting a contact person does nothing.
    EXPECT_THROW(persons->append(), data::Abort);
    EXPECT_EQ(persons->state(), DataSet::State::Browse);
    EXPECT_TRUE(persons->isEmpty());

    // A client still being typed is posted before its contact person is added.
    master->append();
    master->field("KLINIMI").setText(QStringLiteral("Pärnu Aken OÜ"));
    persons->append();
    EXPECT_EQ(master->state(), DataSet::State::Browse);
    const qint64 client = master->field("KLIKOOD").asInt();
    EXPECT_GT(client, 3000);
    EXPECT_EQ(persons->field("KLIKOOD").asInt(), client);
    persons->field("KONTAKTISIKNIMI").setText(QStringLiteral("Jüri Õunapuu"));
    persons->post();
    EXPECT_EQ(countOnOtherConnection(QStringLiteral("select count(*) from KLIKISIK where KLIKOOD = %1").arg(client)), 1);

    // Moving the master reopens the detail for the new row.
    master->append();
    master->field("KLINIMI").setText(QStringLiteral("Teine Klient"));
    master->post();
    EXPECT_TRUE(persons->isEmpty());
    master->first();
    EXPECT_EQ(persons->fetchedCount(), 1);
    EXPECT_EQ(persons->field("KONTAKTISIKNIMI").asString(), QStringLiteral("Jüri Õunapuu"));

    // Deleting the client takes its contact persons.
    master->remove();
    master->remove();
    EXPECT_EQ(countOnOtherConnection(QStringLiteral("select count(*) from KLIKISIK where KLIKOOD = %1").arg(client)), 0);
}

TEST_F(DataSetTest, YesNoMemoAndDateRules)
{
    auto ds = clients("where KLIKOOD = 1");
    ds->open();
    ds->edit();
    for (const auto &[typed, stored] : std::initializer_list<std::pair<const char *, const char *>>{
             {"j", "Y"}, {"Jah", "Y"}, {"t", "Y"}, {"y", "Y"}, {"1", "Y"}, {"+", "Y"}, {"n", "N"}, {"ei", "N"},
             {"x", "N"}, {"", "N"}}) {
        ds->field("KLIPYSI").setText(QString::fromUtf8(typed));
        EXPECT_EQ(ds->field("KLIPYSI").asString(), QString::fromLatin1(stored)) << typed;
    }
    ds->field("KLIKOMMENT").setValue(QString(100, QLatin1Char('m')));
    EXPECT_EQ(ds->field("KLIKOMMENT").text(), QString(100, QLatin1Char('m')));
    ds->field("KLIKOMMENT").setValue(QString(101, QLatin1Char('m')));
    EXPECT_EQ(ds->field("KLIKOMMENT").text(), QString(97, QLatin1Char('m')) + QStringLiteral("..."));
    ds->post();
    EXPECT_EQ(ds->field("KLIKOMMENT").asString().size(), 101); // the whole memo is stored

    auto plans = std::make_unique<DataSet>(*tr, QStringLiteral("taKuupaevad"));
    plans->setSelectSql("select KUUPAEV, PYHANIMI from PYHAD");
    plans->setInsertSql("insert into PYHAD (KUUPAEV, PYHANIMI) values (:KUUPAEV, :PYHANIMI)");
    plans->defineField("KUUPAEV").onSetText = data::OnMyKuupSetText;
    plans->open();
    for (const char *typed : {"24-06-2031", "24/06/2031"}) {
        plans->append();
        plans->field("KUUPAEV").setText(QString::fromLatin1(typed));
        EXPECT_EQ(plans->field("KUUPAEV").asDate(), QDate(2031, 6, 24)) << typed;
        EXPECT_EQ(plans->field("KUUPAEV").text(), QStringLiteral("24.06.2031"));
        plans->cancel();
    }
    plans->append();
    EXPECT_THROW(plans->field("KUUPAEV").setText(QStringLiteral("31.02.2031")), data::DataError);
    EXPECT_TRUE(plans->field("KUUPAEV").isNull()); // the refused value is not taken
    plans->cancel();
}

TEST_F(DataSetTest, TwoDatasetsOnOneTransactionSeeEachOtherAtOnce)
{
    auto a = clients("where KLIKOOD = 2");
    auto b = clients("where KLIKOOD = 2");
    a->open();
    b->open();
    a->edit();
    a->field("KLINIMI").setText(QStringLiteral("Muudetud nimi"));
    // Without the commit, the other connection does not see it yet; the other dataset does on refresh.
    a->afterPost.clear();
    a->post();
    b->refresh();
    EXPECT_EQ(b->field("KLINIMI").asString(), QStringLiteral("Muudetud nimi"));
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLINIMI = 'Muudetud nimi'"), 0);
    data::SaveChangesAfterPost(*a);
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLINIMI = 'Muudetud nimi'"), 1);
}

TEST_F(DataSetTest, LockConflictIsReportedAtOnceAndTheEditStays)
{
    fb::Attachment other = s_db->connect();
    fb::Transaction otherTr(other);
    fb::Statement lock(otherTr, "update KLIENTK set KLITEL = '1' where KLIKOOD = 3");
    lock.execute();

    auto ds = clients("where KLIKOOD = 3");
    ds->open();
    ds->edit();
    ds->field("KLINIMI").setText(QStringLiteral("Minu muudatus"));
    try {
        ds->post();
        FAIL() << "the post waited or overwrote another user's change";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.isLockConflict()) << e.message().toStdString();
    }
    EXPECT_EQ(ds->state(), DataSet::State::Edit);
    EXPECT_EQ(ds->field("KLINIMI").asString(), QStringLiteral("Minu muudatus"));

    otherTr.commit();
    ds->post(); // the other user is done: now it goes through
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 3 and KLINIMI = 'Minu muudatus' "
                                     "and KLITEL = '1'"),
              1);
}

TEST_F(DataSetTest, UpdateObjectCarriesTheStatementsOfAJoinedSelect)
{
    data::UpdateObject upd{QStringLiteral("updKliendid"),
                           "select k.KLIKOOD, k.KLINIMI, l.LINNVALDNIMI as KOHT from KLIENTK k "
                           "left join LINNVALD l on l.LINNVALDKOOD = k.LINNVALDKOOD where k.KLIKOOD = :KLIKOOD",
                           QString(), "update KLIENTK set KLINIMI = :KLINIMI where KLIKOOD = :OLD_KLIKOOD",
                           "delete from KLIENTK where KLIKOOD = :OLD_KLIKOOD"};
    DataSet ds(*tr, QStringLiteral("taKliendidLinnaga"));
    ds.setSelectSql("select k.KLIKOOD, k.KLINIMI, l.LINNVALDNIMI as KOHT from KLIENTK k "
                    "left join LINNVALD l on l.LINNVALDKOOD = k.LINNVALDKOOD where k.KLIKOOD = 4");
    ds.setUpdateObject(&upd);
    ds.open();
    EXPECT_EQ(ds.field("KOHT").asString(), QStringLiteral("Tallinn"));
    EXPECT_EQ(ds.field("KLINIMI").origin(), QStringLiteral("KLIENTK.KLINIMI"));
    ds.edit();
    ds.field("KLINIMI").setText(QStringLiteral("Ühendatud"));
    ds.post();
    EXPECT_EQ(ds.field("KLINIMI").asString(), QStringLiteral("Ühendatud"));
    // A query without statements to write is read-only.
    DataSet q(*tr, QStringLiteral("qLinnad"));
    q.setSelectSql("select * from LINNVALD");
    q.open();
    EXPECT_FALSE(q.canModify());
    EXPECT_THROW(q.edit(), data::DataError);
    EXPECT_THROW(q.field("NO_SUCH"), data::DataError);
}

TEST_F(DataSetTest, KeysOnNewRecordLookupAndCalculatedFields)
{
    // The key drawn on new record is there before the row is posted (the mass offer lines need it).
    DataSet places(*tr, QStringLiteral("taLinnadL"));
    places.setSelectSql("select LINNVALDKOOD, LINNVALDNIMI from LINNVALD order by LINNVALDKOOD");
    places.setInsertSql("insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI) values (:LINNVALDKOOD, :LINNVALDNIMI)");
    places.setGenerator("LINNVALDKOOD", "LINNVALD_LINNVALDKOOD_GEN", DataSet::GeneratorMoment::OnNewRecord);
    places.open();
    places.append();
    const qint64 key = places.field("LINNVALDKOOD").asInt();
    EXPECT_GT(key, 0);
    places.field("LINNVALDNIMI").setText(QStringLiteral("Kärdla"));
    places.post();
    EXPECT_EQ(places.field("LINNVALDKOOD").asInt(), key);

    // A look-up field shows the place name through the places list; a calculated field is the client's.
    DataSet list(*tr, QStringLiteral("qKliendidKohaga"));
    list.setSelectSql("select KLIKOOD, KLINIMI, LINNVALDKOOD from KLIENTK where KLIKOOD in (1, 2) order by KLIKOOD");
    list.defineField("KOHT", fb::FieldKind::Text, data::Field::Kind::Lookup)
        .setLookup(&places, "LINNVALDKOOD", "LINNVALDKOOD", "LINNVALDNIMI");
    list.defineField("PIKKUS", fb::FieldKind::Integer, data::Field::Kind::Calculated);
    list.onCalcFields.push_back([](DataSet &d) {
        d.field("PIKKUS").setValue(static_cast<int>(d.field("KLINIMI").asString().size()));
    });
    list.open();
    EXPECT_EQ(list.field("KOHT").asString(), QStringLiteral("Tartu"));
    EXPECT_EQ(list.field("PIKKUS").asInt(), 12);
    list.next();
    EXPECT_EQ(list.field("KOHT").asString(), QStringLiteral("Tallinn"));
    EXPECT_TRUE(list.field("KOHT").isReadOnly());
    EXPECT_EQ(list.fieldAt(list.fieldCount() - 2).fieldName(), QStringLiteral("KOHT")); // after the columns

    // A single statement with named parameters.
    data::SqlStatement q(*tr);
    q.setSql("select count(*) from KLIENTK where LINNVALDKOOD = :KOHT and KLIKOOD between :ALGUS and :ALGUS + 99");
    q.setParam("koht", 1);
    q.setParam("ALGUS", 100);
    EXPECT_EQ(q.scalar().toInt(), 50);
    q.setSql("update KLIENTK set KLIKOMMENT = :TEKST where KLIKOOD between 10 and 14");
    q.setParam("TEKST", QStringLiteral("märkus"));
    q.exec();
    EXPECT_EQ(q.rowsAffected(), 5);
    tr->rollback();
}

TEST_F(DataSetTest, TelephoneSearchColumnsFollowTheNumbersOnSave)
{
    DataSet ds(*tr, QStringLiteral("taKliendid"));
    ds.setSelectSql("select KLIKOOD, KLINIMI, KLITEL, KLITELTRIM from KLIENTK where KLIKOOD = 5");
    ds.setModifySql("update KLIENTK set KLITEL = :KLITEL, KLITELTRIM = :KLITELTRIM where KLIKOOD = :OLD_KLIKOOD");
    ds.beforePost.push_back([](DataSet &d) { data::KeepPhoneSearchColumn(d.field("KLITEL"), d.field("KLITELTRIM"), true); });
    ds.open();
    ds.edit();
    ds.field("KLITEL").setText(QStringLiteral("+372 (0)6 600-100"));
    ds.post();
    EXPECT_EQ(ds.field("KLITELTRIM").asString(), QStringLiteral("37206600100"));
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 5 and KLITELTRIM = '37206600100'"), 0);
    tr->commitRetaining();
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 5 and KLITELTRIM = '37206600100'"), 1);
    ds.edit();
    ds.field("KLITEL").setText(QString());
    ds.post();
    EXPECT_TRUE(ds.field("KLITELTRIM").isNull());
}

TEST_F(DataSetTest, CalculatedFieldsAndLookUpsFollowTheRowBeingEdited)
{
    DataSet places(*tr, QStringLiteral("taLinnadL"));
    places.setSelectSql("select LINNVALDKOOD, LINNVALDNIMI from LINNVALD order by LINNVALDKOOD");
    places.open();

    auto ds = clients("where KLIKOOD = 7");
    ds->defineField("KOHT", fb::FieldKind::Text, data::Field::Kind::Lookup)
        .setLookup(&places, "LINNVALDKOOD", "LINNVALDKOOD", "LINNVALDNIMI");
    ds->defineField("NIMEPIKKUS", fb::FieldKind::Integer, data::Field::Kind::Calculated);
    int calculations = 0;
    ds->onCalcFields.push_back([&](DataSet &d) {
        ++calculations;
        d.field("NIMEPIKKUS").setValue(static_cast<int>(d.field("KLINIMI").asString().size()));
    });
    QString placeSeenByThePost;
    ds->beforePost.push_back([&](DataSet &d) { placeSeenByThePost = d.field("KOHT").asString(); });
    ds->open();
    EXPECT_EQ(ds->field("KOHT").asString(), QStringLiteral("Tartu"));
    EXPECT_EQ(ds->field("NIMEPIKKUS").asInt(), 12);

    // A calculated field set by the handler does not run the handler again.
    ds->edit();
    EXPECT_EQ(ds->field("KOHT").asString(), QStringLiteral("Tartu"));
    calculations = 0;
    ds->field("KLINIMI").setText(QStringLiteral("Lühike"));
    EXPECT_EQ(calculations, 1);
    EXPECT_EQ(ds->field("NIMEPIKKUS").asInt(), 6);

    // The look-up shows the place of the key being typed, in the grid and to the rules of the post.
    ds->field("LINNVALDKOOD").setValue(1);
    EXPECT_EQ(ds->field("KOHT").asString(), QStringLiteral("Tallinn"));
    EXPECT_EQ(ds->textAt(0, ds->field("KOHT").index()), QStringLiteral("Tallinn"));
    ds->post();
    EXPECT_EQ(placeSeenByThePost, QStringLiteral("Tallinn"));
    EXPECT_EQ(ds->field("NIMEPIKKUS").asInt(), 6);

    // A new row: the look-up follows its key before the row exists in the database.
    ds->append();
    EXPECT_TRUE(ds->field("KOHT").isNull());
    ds->field("LINNVALDKOOD").setValue(2);
    EXPECT_EQ(ds->field("KOHT").asString(), QStringLiteral("Tartu"));
    ds->cancel();
    EXPECT_EQ(ds->field("KOHT").asString(), QStringLiteral("Tallinn"));
}

TEST_F(DataSetTest, DetailEditThatCannotBePostedHoldsTheMasterOnItsRow)
{
    att.executeImmediate(*tr, "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (801, 8, 'Mati')");
    tr->commitRetaining();
    auto master = clients("where KLIKOOD in (8, 9)");
    data::DataSource dsKliendid(master.get());
    DataSet persons(*tr, QStringLiteral("taKontaktIsikud"));
    persons.setSelectSql("select KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI from KLIKISIK where KLIKOOD = :KLIKOOD");
    persons.setModifySql(
        "update KLIKISIK set KONTAKTISIKNIMI = :KONTAKTISIKNIMI where KLIKISIKKOOD = :OLD_KLIKISIKKOOD");
    persons.setMasterSource(&dsKliendid);
    persons.defineField("KONTAKTISIKNIMI").setRequired(true);
    persons.field("KONTAKTISIKNIMI").setDisplayLabel(QStringLiteral("Nimi"));
    data::CommitAfterChanges(persons);
    master->open();
    persons.open();
    ASSERT_EQ(persons.recordCount(), 1);

    persons.edit();
    persons.field("KONTAKTISIKNIMI").setText(QString());
    try {
        master->next();
        FAIL() << "the master moved away from a detail change that cannot be posted";
    } catch (const data::DataError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'Nimi' must have a value"));
    }
    EXPECT_EQ(master->field("KLIKOOD").asInt(), 8);
    EXPECT_EQ(persons.state(), DataSet::State::Edit);
    EXPECT_EQ(persons.field("KLIKISIKKOOD").asInt(), 801);

    // Corrected, the change is posted and the detail follows the master.
    persons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Mati Kask"));
    master->next();
    EXPECT_EQ(master->field("KLIKOOD").asInt(), 9);
    EXPECT_EQ(persons.state(), DataSet::State::Browse);
    EXPECT_TRUE(persons.isEmpty());
    EXPECT_EQ(countOnOtherConnection(
                  "select count(*) from KLIKISIK where KLIKISIKKOOD = 801 and KONTAKTISIKNIMI = 'Mati Kask'"),
              1);
}

TEST_F(DataSetTest, ServerComputedColumnsAreReadOnly)
{
    auto ds = clients("where KLIKOOD = 10");
    ds->defineField("LINNVALDNIMI").setDisplayLabel(QStringLiteral("Linn"));
    ds->open();
    EXPECT_EQ(ds->field("LINNVALDNIMI").kind(), data::Field::Kind::Computed);
    EXPECT_FALSE(ds->field("LINNVALDNIMI").takesTypedText());
    EXPECT_EQ(ds->field("LINNVALDKOOD").kind(), data::Field::Kind::Data);
    EXPECT_EQ(ds->field("KLINIMI").kind(), data::Field::Kind::Data);
    EXPECT_TRUE(ds->field("KLINIMI").takesTypedText());

    ds->edit();
    EXPECT_THROW(ds->field("LINNVALDNIMI").setText(QStringLiteral("Pärnu")), data::DataError);
    ds->field("LINNVALDKOOD").setValue(2);
    ds->post();
    EXPECT_EQ(ds->field("LINNVALDNIMI").asString(), QStringLiteral("Tartu")); // the server's, re-read

    // The same column seen through another table's select is the server's too.
    DataSet agents(*tr, QStringLiteral("taAgendid"));
    agents.setSelectSql("select AGENTKOOD, LINNVALDKOOD, LINNVALDNIMI from AGENTK");
    agents.open();
    EXPECT_EQ(agents.field("LINNVALDNIMI").kind(), data::Field::Kind::Computed);
    EXPECT_EQ(agents.field("AGENTKOOD").kind(), data::Field::Kind::Data);
}

TEST_F(DataSetTest, FetchErrorReachesTheCallerAndKeepsTheRowsRead)
{
    DataSet ds(*tr, QStringLiteral("qKatkine"));
    ds.setSelectSql("select KLIKOOD, cast(iif(KLIKOOD = 300, 'x', '1') as integer) as ARV from KLIENTK "
                    "where KLIKOOD <= 1000 order by KLIKOOD");
    ds.open();
    EXPECT_THROW(ds.fetchMore(1000), fb::FbError);
    EXPECT_FALSE(ds.isComplete());
    EXPECT_GT(ds.fetchedCount(), 1);
    EXPECT_LT(ds.fetchedCount(), 300);
    EXPECT_EQ(ds.valueAt(ds.fetchedCount() - 1, 0).toLongLong(), ds.fetchedCount());
    // Nothing more can be read, and the list says it is not the whole list.
    EXPECT_EQ(ds.fetchMore(10), 0);
    EXPECT_TRUE(ds.isFullyFetched());
    EXPECT_FALSE(ds.isComplete());
    ds.close();
    ds.setSelectSql("select KLIKOOD from KLIENTK where KLIKOOD <= 10");
    ds.open();
    ds.fetchAll();
    EXPECT_TRUE(ds.isComplete());
}

TEST_F(DataSetTest, RereadFailureAfterTheWriteStillCommitsAndIsReported)
{
    auto ds = clients("where KLIKOOD = 13");
    ds->setRefreshSql(
        "select KLIKOOD, KLINIMI, cast(KLINIMI as integer) as KATKINE from KLIENTK where KLIKOOD = :KLIKOOD");
    QStringList events;
    ds->afterPost.push_back([&](DataSet &) { events << "afterPost"; });
    ds->open();
    ds->edit();
    ds->field("KLINIMI").setText(QStringLiteral("Uus nimi 13"));
    EXPECT_THROW(ds->post(), fb::FbError);
    EXPECT_EQ(ds->state(), DataSet::State::Browse);
    EXPECT_EQ(events, QStringList{"afterPost"});
    EXPECT_EQ(ds->field("KLINIMI").asString(), QStringLiteral("Uus nimi 13"));
    // Committed: another connection sees it and may change the row (no lock is left behind).
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 13 and KLINIMI = 'Uus nimi 13'"), 1);
    fb::Attachment other = s_db->connect();
    fb::Transaction otherTr(other);
    fb::Statement change(otherTr, "update KLIENTK set KLITEL = '13' where KLIKOOD = 13");
    EXPECT_NO_THROW(change.execute());
    otherTr.rollback();
}

TEST_F(DataSetTest, EachDatasetKeepsTheStatementsOfItsOwnUpdateObject)
{
    // The places list is editable through an update object of its own and marks whether it can be changed.
    data::UpdateObject updPlaces{
        QStringLiteral("updLinnad"),
        "select LINNVALDKOOD, LINNVALDNIMI from LINNVALD where LINNVALDKOOD = :LINNVALDKOOD", QString(),
        "update LINNVALD set LINNVALDNIMI = :LINNVALDNIMI where LINNVALDKOOD = :OLD_LINNVALDKOOD", QString()};
    DataSet places(*tr, QStringLiteral("taLinnadL"));
    places.setSelectSql("select LINNVALDKOOD, LINNVALDNIMI from LINNVALD order by LINNVALDKOOD");
    places.setUpdateObject(&updPlaces);
    places.defineField("MUUDETAV", fb::FieldKind::Text, data::Field::Kind::Calculated);
    places.onCalcFields.push_back(
        [](DataSet &d) { d.field("MUUDETAV").setValue(d.canModify() ? QStringLiteral("Y") : QStringLiteral("N")); });

    // A contact person's note takes the client's place through the master's look-up field.
    auto master = clients("where KLIKOOD = 15");
    master->defineField("KOHT", fb::FieldKind::Text, data::Field::Kind::Lookup)
        .setLookup(&places, "LINNVALDKOOD", "LINNVALDKOOD", "LINNVALDNIMI");
    data::DataSource dsKliendid(master.get());
    data::UpdateObject updPersons{QStringLiteral("updKontaktIsikud"), QString(), QString(),
                                  "update KLIKISIK set KONTAKTISIKKOMMENT = :KOHT, KONTAKTISIKNIMI = :KONTAKTISIKNIMI "
                                  "where KLIKISIKKOOD = :OLD_KLIKISIKKOOD",
                                  QString()};
    DataSet persons(*tr, QStringLiteral("taKontaktIsikud"));
    persons.setSelectSql("select KLIKISIKKOOD, KONTAKTISIKNIMI from KLIKISIK where KLIKOOD = :KLIKOOD");
    persons.setUpdateObject(&updPersons);
    persons.setMasterSource(&dsKliendid);
    att.executeImmediate(*tr,
                         "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (1501, 15, 'Ülle')");
    tr->commitRetaining();

    places.open();
    master->open();
    persons.open();
    persons.edit();
    persons.field("KONTAKTISIKNIMI").setText(QStringLiteral("Ülle Pärn"));
    persons.post();
    tr->commitRetaining();
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIKISIK where KLIKISIKKOOD = 1501 and "
                                     "KONTAKTISIKNIMI = 'Ülle Pärn' and KONTAKTISIKKOMMENT = 'Tartu'"),
              1);
}

TEST_F(DataSetTest, HandlersThatReopenKeepTheChosenRow)
{
    // Before-handlers that reopen the list (as a detail does when it posts its master with a new key)
    // leave the action on the row the user chose.
    auto ds = clients("where KLIKOOD between 20 and 24");
    auto reopen = [](DataSet &d) { d.reopen(); };
    ds->beforeEdit.push_back(reopen);
    ds->beforeDelete.push_back(reopen);
    ds->beforeInsert.push_back(reopen);
    ds->open();

    ds->moveTo(3);
    ds->edit();
    EXPECT_EQ(ds->currentRow(), 3);
    EXPECT_EQ(ds->field("KLIKOOD").asInt(), 23);
    ds->field("KLIKOMMENT").setText(QStringLiteral("Valitud rida"));
    ds->post();
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 23 and KLIKOMMENT = 'Valitud rida'"),
              1);

    ds->moveTo(2);
    ds->insert();
    EXPECT_EQ(ds->currentRow(), 2);
    EXPECT_EQ(ds->fetchedCount(), 6);
    ds->cancel();
    ds->append();
    EXPECT_EQ(ds->currentRow(), 5);
    EXPECT_EQ(ds->fetchedCount(), 6);
    ds->cancel();

    ASSERT_TRUE(ds->locate("KLIKOOD", 24));
    ds->remove();
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD between 20 and 24"), 4);
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD = 24"), 0);

    // A row that is gone after the handlers is not exchanged for another one.
    ds->beforeEdit.insert(ds->beforeEdit.begin(), [this](DataSet &d) {
        if (d.field("KLIKOOD").asInt() == 22) {
            att.executeImmediate(*tr, "delete from KLIENTK where KLIKOOD = 22");
            tr->commitRetaining();
        }
    });
    ASSERT_TRUE(ds->locate("KLIKOOD", 22));
    EXPECT_THROW(ds->edit(), data::DataError);
    EXPECT_EQ(ds->state(), DataSet::State::Browse);
    EXPECT_EQ(countOnOtherConnection("select count(*) from KLIENTK where KLIKOOD between 20 and 24"), 3);
}

} // namespace

// The database created by the program's script holds every table, view, procedure and generator the
// program uses, with the columns and types it reads and writes, and enforces the relations.

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include "TempDatabase.h"
#include "fb/FbError.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

// "TABLE: COLUMN TYPE, ..." — a trailing '=' marks a column the database computes.
const char *const ExpectedTables[] = {
    "AGENTK: AGENTKOOD INTEGER, AGEESNIMI VARCHAR(30), AGPERENIMI VARCHAR(30), AGTEL VARCHAR(20), AGFAX VARCHAR(20), "
    "AGEMAIL VARCHAR(50), AGENTAKTIIVNE CHAR(1), MEIELIIN1 VARCHAR(20), MEIELIIN2 VARCHAR(20), AGAADRESS VARCHAR(60), "
    "LINNVALDKOOD INTEGER, AGISIKUKOOD VARCHAR(20), OSAKOND VARCHAR(30), RIIKID INTEGER, LINNVALDNIMI VARCHAR(60)=",
    "AGPPALK: AGENTKOOD INTEGER, PALGUSKUUP DATE, POHIPALK DOUBLE",
    "AGMYKAIV: AGENTKOOD INTEGER, PERALGUS DATE, PERLOPP DATE, MYYGIKAIVE DOUBLE",
    "MINMAXM: MALGUSKUUP DATE, MINUTID INTEGER, MAXMYYK DOUBLE",
    "USERSK: KASKOOD VARCHAR(10), KASNIMI VARCHAR(50), KASPERE VARCHAR(50), NIVOO INTEGER, KASPW VARCHAR(50), "
    "AGENTKOOD INTEGER, VAIKIMPROJID INTEGER, PROJEKTIVALIKLUBATUD CHAR(1), USERSETTINGS1 BLOB, AGENTNIMI VARCHAR(30)=",
    "KLIENTK: KLIKOOD INTEGER, KLINIMI VARCHAR(60), KLIOMVORM VARCHAR(10), KLIKOODLAOS VARCHAR(10), KLIAADRESS VARCHAR(60), "
    "LINNVALDKOOD INTEGER, KLIPOSTIINDEX VARCHAR(20), RIIKID INTEGER, KLITEL VARCHAR(20), KLITEL2 VARCHAR(20), "
    "KLIFAX VARCHAR(20), KLIEMAIL VARCHAR(50), KLIKOMMENT BLOB TEXT, KLILEPINGUNR VARCHAR(20), KLIALE DOUBLE, "
    "KLIMAKSEAEG INTEGER, KLIBOONUS CHAR(1), KLIKVALITEET INTEGER, KLIPYSI CHAR(1), KLILISAMKUUP DATE, "
    "KLIENTAKTIIVNE CHAR(1), TOOTAJATEARV INTEGER, KLITELTRIM VARCHAR(20), KLITEL2TRIM VARCHAR(20), "
    "KLIREGNR VARCHAR(11), KLIKAIVE INTEGER, KLIMPAKKUMOK CHAR(1), EMAFIRMAKOOD INTEGER, KLISUHTETYYP SMALLINT, "
    "KLIAADRESS2 VARCHAR(60), LINNVALDKOOD2 INTEGER, KLIPOSTIINDEX2 VARCHAR(20), LINNVALDNIMI VARCHAR(60)=, "
    "LINNVALDNIMI2 VARCHAR(60)=, RIIGINIMI VARCHAR(60)=",
    "KLIKISIK: KLIKISIKKOOD INTEGER, KLIKOOD INTEGER, KONTAKTISIKNIMI VARCHAR(50), KONTAKTISIKTEL VARCHAR(20), "
    "KONTAKTISIKTEL2 VARCHAR(20), KONTAKTISIKFAX VARCHAR(20), KONTAKTISIKEMAIL VARCHAR(50), "
    "KONTAKTISIKKOMMENT VARCHAR(50), AMETID INTEGER, KONTAKTISIKAKTIIVNE CHAR(1), KISIKTELTRIM VARCHAR(20), "
    "KISIKTEL2TRIM VARCHAR(20), KISIKUKOOD VARCHAR(11), KISIKPAKKUMOK CHAR(1), KONTAKTISIKAMET VARCHAR(30)=",
    "KLIAGENT: KLIKOOD INTEGER, AGENTKOOD INTEGER, AGENTVASTUTAV CHAR(1), AGENTNIMI VARCHAR(30)=",
    "KL1KLI: KLIKOOD INTEGER, KL1GRID INTEGER, KL1ID INTEGER, KL1KLIKOMMENT BLOB TEXT",
    "KLITOODE: KLITOODEID INTEGER, KLIKOOD INTEGER, TOOTEGRID INTEGER, TOOTEID INTEGER, TOOTELISAID INTEGER, "
    "KLITOODEALATESKUUP DATE, KLITOODEKUNIKUUP DATE, KLITOODEKOGUS INTEGER, KLITOODEKOMMENT BLOB TEXT, "
    "TOOTEUUDISEDOK CHAR(1), TOOTEGRNIMI VARCHAR(60)=, TOOTENIMI VARCHAR(60)=, TOOTELISANIMI VARCHAR(60)=, "
    "TOOTELISATIITEL VARCHAR(20)=",
    "KLIDOKUM: KLIDOKID INTEGER, KLIKOOD INTEGER, KLIDOKTYYP VARCHAR(10), KLIDOKFILENAME VARCHAR(255), "
    "KLIDOKKOMMENT BLOB TEXT, KLIDOKASUKOHT VARCHAR(20)",
    "PERMYYK: PERMYYKID INTEGER, PERALGUS DATE, PERLOPP DATE, KLIKOOD INTEGER, AGENTKOOD INTEGER, "
    "PERMYYKSUMMA NUMERIC(18,2), TEHINGUTE_ARV INTEGER, TOOTEGRID INTEGER, TOOTEID INTEGER, TOOTEKOGUS INTEGER, "
    "PERMYYKKOMMENT BLOB TEXT, PROJID INTEGER, PARITOLU SMALLINT, AGENTNIMI VARCHAR(30)=, TOOTEGRNIMI VARCHAR(60)=, "
    "TOOTENIMI VARCHAR(60)=, PROJNIMI VARCHAR(60)=",
    "KONTAKT: KONTAKTID INTEGER, AGENTKOOD INTEGER, KLIKOOD INTEGER, KONTAKTKUUP DATE, KONTAKTKELL TIME, "
    "KONTAKTKUUPKUNI DATE, KONTAKTKELLKUNI TIME, KONTAKTLIIK INTEGER, KONTAKTYHIKUID INTEGER, KONTAKTTOIMUS CHAR(1), "
    "KONTAKTTEEMA VARCHAR(50), KONTAKTKOMMENT BLOB TEXT, KONTAKTIDGRUPP INTEGER, KLIKISIKKOOD INTEGER, PROJID INTEGER, "
    "REGAGENTKOOD INTEGER, TOOTEGRID INTEGER, TOOTEID INTEGER, AGENTNIMI VARCHAR(30)=, REGAGENTNIMI VARCHAR(30)=, "
    "KLINIMI VARCHAR(60)=, KLIOMVORM VARCHAR(10)=, KONTAKTLIIKNIMI VARCHAR(30)=, KONTAKTISIKNIMI VARCHAR(50)=, "
    "PROJNIMI VARCHAR(60)=, TOOTEGRNIMI VARCHAR(60)=, TOOTENIMI VARCHAR(60)=",
    "KLIJKONT: JKONTAKTID INTEGER, KLIKOOD INTEGER, AGENTKOOD INTEGER, JKONTAKTKUUP DATE, JKONTAKTKELL TIME, "
    "JKONTAKTKUUPKUNI DATE, JKONTAKTKELLKUNI TIME, JKONTAKTLIIK INTEGER, JKONTAKTKOKKULEPE VARCHAR(1), "
    "JKONTAKTTEEMA VARCHAR(50), JKONTAKTKOMMENT BLOB TEXT, KLIKISIKKOOD INTEGER, JKONTTAHTAEG DATE, "
    "REGAGENTKOOD INTEGER, AGENTTUTVUNUD CHAR(1), PROJID INTEGER, TOOTEGRID INTEGER, TOOTEID INTEGER, "
    "AGENTNIMI VARCHAR(30)=, REGAGENTNIMI VARCHAR(30)=, JKONTAKTLIIKNIMI VARCHAR(30)=, KONTAKTISIKNIMI VARCHAR(50)=, "
    "KLINIMI VARCHAR(60)=, PROJNIMI VARCHAR(60)=, TOOTEGRNIMI VARCHAR(60)=, TOOTENIMI VARCHAR(60)=",
    "KONTLIIK: KONTAKTLIIKKOOD INTEGER, KONTAKTLIIKNIMI VARCHAR(30), PLAANMINUTEID INTEGER, MASSKONTAKT CHAR(1), "
    "KONTAKTLIIKAKTIIVNE CHAR(1)",
    "TOOTEGR: TOOTEGRID INTEGER, TOOTEGRNIMI VARCHAR(60), TOOTEGRKOMMENT BLOB TEXT, TOOTELISATIITEL VARCHAR(20)",
    "TOOTED: TOOTEID INTEGER, TOOTEGRID INTEGER, TOOTENIMI VARCHAR(60), TOOTETOOTJA VARCHAR(60), "
    "TOOTEKOODLAOS VARCHAR(20), TOOTEKULUMAT VARCHAR(60), TOOTEKOMMENT BLOB TEXT, TOODEAKTIIVNE CHAR(1), "
    "TOOTEHINDKMTA NUMERIC(18,3), TOOTEKMPROC NUMERIC(9,2), TOOTEHINDKMGA NUMERIC(18,3), TOOTEYHIK VARCHAR(10), "
    "TOOTEGRNIMI VARCHAR(60)=",
    "TOOTELISA: TOOTELISAID INTEGER, TOOTEGRID INTEGER, TOOTELISANIMI VARCHAR(60)",
    "LINNVALD: LINNVALDKOOD INTEGER, LINNVALDNIMI VARCHAR(60), RIIKID INTEGER, RIIGINIMI VARCHAR(60)=",
    "RIIK: RIIKID INTEGER, RIIGINIMI VARCHAR(60)",
    "OMVORM: OMANDIVORM VARCHAR(10), OMANDIVORMNIMI VARCHAR(60)",
    "KAMETID: AMETID INTEGER, AMET VARCHAR(30)",
    "KL1GR: KL1GRID INTEGER, KL1GRNIMI VARCHAR(60), KL1GRKOMMENT BLOB TEXT",
    "KLASSIF1: KL1ID INTEGER, KL1GRID INTEGER, KL1NIMI VARCHAR(60), KL1KOOD VARCHAR(20), KL1KOMMENT BLOB TEXT, "
    "KL1GRNIMI VARCHAR(60)=",
    "PROJEKT: PROJID INTEGER, PROJNIMI VARCHAR(60), PROJKOMMENT BLOB TEXT, PROJURL VARCHAR(100), PROJAKTIIVNE CHAR(1), "
    "VALISLIIN1 VARCHAR(20), VALISLIIN2 VARCHAR(20), MEIELIIN1 VARCHAR(20), MEIELIIN2 VARCHAR(20)",
    "PYHAD: KUUPAEV DATE, PYHANIMI VARCHAR(70)",
    "KPARAMS: PARAMEETER VARCHAR(50), TEKSTVAARTUS VARCHAR(255), BOOLVAARTUS CHAR(1), SELGITUS VARCHAR(100)",
    "OMAFIRMA: FIRNIMI VARCHAR(60), FIROMVORM VARCHAR(10), FIRAADRESS VARCHAR(60), FIRPOSTIINDEX VARCHAR(20), "
    "FIRTEL VARCHAR(20), FIRFAX VARCHAR(20), FIREMAIL VARCHAR(50), FIRWWW VARCHAR(100), FIRJUHTEESNIMI VARCHAR(50), "
    "FIRJUHTPERENIMI VARCHAR(50), FIRREGNR VARCHAR(11)",
    "KYSIMUS: KYSIMUSID INTEGER, KYSIMUS VARCHAR(80), KVASTUSTYYP INTEGER",
    "KYSVVAR: KYSIMUSID INTEGER, KVASTUSVARID INTEGER, KVASTUSVARIANT VARCHAR(60)",
    "KYSITLUS: KYSITLUSID INTEGER, KYSITLUSNIMI VARCHAR(60), KYSITLUSKOMMENT VARCHAR(200)",
    "KYSIKYSI: KYSITLUSID INTEGER, KYSIMUSID INTEGER, KYSIMUSNIMI VARCHAR(80)=",
    "KYSITLKL: KYSITLUSID INTEGER, KLIKOOD INTEGER, KPLANKUUP DATE, KYSITLUSTEHTUD CHAR(1), AGENTKOOD INTEGER, "
    "KLINIMI VARCHAR(60)=, KYSITLUSNIMI VARCHAR(60)=, KYSITLUSKOMMENT VARCHAR(200)=",
    "KVASTUS: KYSITLUSID INTEGER, KYSIMUSID INTEGER, KLIKOOD INTEGER, KVASTUSVARID INTEGER, VASTUSKUUP DATE, "
    "KVASTUSTYYP INTEGER, TEXTVASTUS VARCHAR(100), JAHEIVASTUS INTEGER, INTEGERVASTUS INTEGER, "
    "FLOATVASTUS NUMERIC(9,4), KUUPVASTUS DATE, VASTUSSELGITUS VARCHAR(100), KLINIMI VARCHAR(60)=, "
    "KYSITLUSNIMI VARCHAR(60)=, KYSIMUSNIMI VARCHAR(80)=",
    "DBVERSION: MAJORVERSION INTEGER, MINORVERSION INTEGER, RELEASENO INTEGER, BUILDNO INTEGER, VERSIONDATETIME TIMESTAMP",
    "KLIKISIK_KOOND_VIEW: KLIKISIKKOOD INTEGER, KONTAKTISIKNIMI VARCHAR(50), KLIKOOD INTEGER, KLINIMI VARCHAR(60), "
    "KONTAKTISIKTEL VARCHAR(20), KONTAKTISIKTEL2 VARCHAR(20), KONTAKTISIKFAX VARCHAR(20), KONTAKTISIKEMAIL VARCHAR(50), "
    "KONTAKTISIKKOMMENT VARCHAR(50), AMETID INTEGER, KONTAKTISIKAMET VARCHAR(30), KISIKUKOOD VARCHAR(11), "
    "KLIOMVORM VARCHAR(10), KISIKPAKKUMOK CHAR(1), KISIKTELTRIM VARCHAR(20), KISIKTEL2TRIM VARCHAR(20), "
    "KLIAADRESS VARCHAR(60), LINNVALDNIMI VARCHAR(60), KLIPOSTIINDEX VARCHAR(20), RIIGINIMI VARCHAR(60), "
    "KONTAKTISIKAKTIIVNE CHAR(1), KLIENTAKTIIVNE CHAR(1)",
};

const char *const ExpectedGenerators[] = {
    "AGENTK_AGENTKOOD_GEN", "KLIENTK_KLIKOOD_GEN", "KLIKISIK_KLIKISIKKOOD_GEN", "KLITOODE_KLITOODEID_GEN",
    "KLIDOKUM_KLIDOKID_GEN", "GEN_PERMYYK_ID", "KONTAKT_KONTAKTID_GEN", "KLIJKONT_JKONTAKTID_GEN",
    "KONTLIIK_KONTAKTLIIKKOOD_GEN", "TOOTEGR_TOOTEGRID_GEN", "TOOTED_TOOTEID_GEN", "GEN_TOOTELISA_ID",
    "LINNVALD_LINNVALDKOOD_GEN", "GEN_RIIK_RIIKID", "GEN_KAMETID_AMETID", "KL1GR_KL1GRID_GEN", "KLASSIF1_KL1ID_GEN",
    "PROJEKT_PROJID_GEN", "KYSIMUS_KYSIMUSID_GEN", "KYSVVAR_KVASTUSVARID_GEN", "KYSITLUS_KYSITLUSID_GEN",
};

// The column's type as the expectations above spell it.
QString typeText(int fieldType, int subType, int length, int precision, int scale)
{
    switch (fieldType) {
    case 7: return subType ? QStringLiteral("NUMERIC(%1,%2)").arg(precision).arg(-scale) : QStringLiteral("SMALLINT");
    case 8: return subType ? QStringLiteral("NUMERIC(%1,%2)").arg(precision).arg(-scale) : QStringLiteral("INTEGER");
    case 16: return subType ? QStringLiteral("NUMERIC(%1,%2)").arg(precision).arg(-scale) : QStringLiteral("BIGINT");
    case 27: return QStringLiteral("DOUBLE");
    case 12: return QStringLiteral("DATE");
    case 13: return QStringLiteral("TIME");
    case 35: return QStringLiteral("TIMESTAMP");
    case 14: return QStringLiteral("CHAR(%1)").arg(length);
    case 37: return QStringLiteral("VARCHAR(%1)").arg(length);
    case 261: return subType == 1 ? QStringLiteral("BLOB TEXT") : QStringLiteral("BLOB");
    default: return QStringLiteral("type %1").arg(fieldType);
    }
}

class SchemaTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_db = new TempDatabase(QStringLiteral("schema.fdb")); }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }
    static TempDatabase *s_db;
};
TempDatabase *SchemaTest::s_db = nullptr;

TEST_F(SchemaTest, EveryTableAndViewHasItsColumnsAndTypes)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    fb::Statement q(tr,
                    "select trim(rf.RDB$RELATION_NAME), trim(rf.RDB$FIELD_NAME), f.RDB$FIELD_TYPE, "
                    "coalesce(f.RDB$FIELD_SUB_TYPE, 0), coalesce(f.RDB$CHARACTER_LENGTH, 0), "
                    "coalesce(f.RDB$FIELD_PRECISION, 0), coalesce(f.RDB$FIELD_SCALE, 0), "
                    "iif(f.RDB$COMPUTED_BLR is null, 0, 1) "
                    "from RDB$RELATION_FIELDS rf join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
                    "join RDB$RELATIONS r on r.RDB$RELATION_NAME = rf.RDB$RELATION_NAME "
                    "where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0");
    q.execute();
    QMap<QString, QMap<QString, QString>> actual;
    while (q.fetch()) {
        QString type = typeText(static_cast<int>(q.getInt(2)), static_cast<int>(q.getInt(3)),
                                static_cast<int>(q.getInt(4)), static_cast<int>(q.getInt(5)),
                                static_cast<int>(q.getInt(6)));
        if (q.getInt(7))
            type += QLatin1Char('=');
        actual[q.getString(0)][q.getString(1)] = type;
    }

    QSet<QString> expectedTables;
    for (const char *spec : ExpectedTables) {
        const QString text = QString::fromUtf8(spec);
        const QString table = text.section(QLatin1Char(':'), 0, 0);
        expectedTables.insert(table);
        ASSERT_TRUE(actual.contains(table)) << "missing table or view " << table.toStdString();
        const QStringList columns = text.section(QLatin1Char(':'), 1).split(QStringLiteral(", "));
        for (const QString &c : columns) {
            const QString column = c.trimmed().section(QLatin1Char(' '), 0, 0);
            QString type = c.trimmed().section(QLatin1Char(' '), 1);
            ASSERT_TRUE(actual[table].contains(column)) << table.toStdString() << "." << column.toStdString() << " missing";
            QString got = actual[table][column];
            // Columns declared as a generic blob may hold text.
            if (type == QLatin1String("BLOB") && got == QLatin1String("BLOB TEXT"))
                got = type;
            // A view's columns are computed by the view, not by their own expression.
            if (table.endsWith(QLatin1String("_VIEW")))
                got.remove(QLatin1Char('='));
            EXPECT_EQ(got.toStdString(), type.toStdString()) << table.toStdString() << "." << column.toStdString();
        }
    }
    for (const QString &table : actual.keys())
        EXPECT_TRUE(expectedTables.contains(table)) << "unexpected relation " << table.toStdString();
}

TEST_F(SchemaTest, GeneratorsProceduresAndRoleExist)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    QSet<QString> generators;
    fb::Statement g(tr, "select trim(RDB$GENERATOR_NAME) from RDB$GENERATORS where coalesce(RDB$SYSTEM_FLAG, 0) = 0");
    g.execute();
    while (g.fetch())
        generators.insert(g.getString(0));
    for (const char *name : ExpectedGenerators)
        EXPECT_TRUE(generators.contains(QString::fromLatin1(name))) << name;
    EXPECT_EQ(generators.size(), static_cast<qsizetype>(std::size(ExpectedGenerators)));

    fb::Statement p(tr, "select trim(RDB$PROCEDURE_NAME) from RDB$PROCEDURES where coalesce(RDB$SYSTEM_FLAG, 0) = 0 "
                        "order by 1");
    p.execute();
    QStringList procedures;
    while (p.fetch())
        procedures << p.getString(0);
    EXPECT_EQ(procedures, (QStringList{"GET_KLIKISIK_DATA1", "KVASTUS_APPENDUPDATE"}));

    // The role has rights on every table and generator but none on the version table.
    fb::Statement r(tr, "select count(*) from RDB$USER_PRIVILEGES where RDB$USER = 'VELKORA1USERS' "
                        "and RDB$RELATION_NAME = ?");
    for (const char *name : {"KLIENTK", "KONTAKT", "KLIKISIK_KOOND_VIEW", "KVASTUS_APPENDUPDATE",
                             "GET_KLIKISIK_DATA1", "KONTAKT_KONTAKTID_GEN", "USERSK"}) {
        r.setString(0, QString::fromLatin1(name));
        r.execute();
        ASSERT_TRUE(r.fetch());
        EXPECT_GT(r.getInt(0), 0) << name;
        r.closeCursor();
    }
    r.setString(0, QStringLiteral("DBVERSION"));
    r.execute();
    ASSERT_TRUE(r.fetch());
    EXPECT_EQ(r.getInt(0), 0);
    r.closeCursor();

    fb::Statement v(tr, "select count(*) from DBVERSION");
    v.execute();
    ASSERT_TRUE(v.fetch());
    EXPECT_EQ(v.getInt(0), 1);
}

// Runs one statement with parameters in the transaction.
void run(fb::Transaction &tr, const char *sql, const QVariantList &params = {})
{
    fb::Statement st(tr, QString::fromUtf8(sql));
    for (int i = 0; i < params.size(); ++i)
        st.setValue(i, params[i]);
    st.execute();
}

QVariant one(fb::Transaction &tr, const char *sql, const QVariantList &params = {})
{
    fb::Statement st(tr, QString::fromUtf8(sql));
    for (int i = 0; i < params.size(); ++i)
        st.setValue(i, params[i]);
    st.execute();
    return st.fetch() ? st.value(0) : QVariant();
}

TEST_F(SchemaTest, ContactWithoutIdGetsOneFromItsGenerator)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    run(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (1, 'Mari', 'Tamm')");
    run(tr, "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI) values (1, 'Telefonikõne')");
    run(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')");
    const qint64 before = one(tr, "select gen_id(KONTAKT_KONTAKTID_GEN, 0) from RDB$DATABASE").toLongLong();
    run(tr, "insert into KONTAKT (AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK) values (1, 1, current_date, 1)");
    run(tr, "insert into KONTAKT (AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK) values (1, 1, current_date, 1)");
    const QVariant ids = one(tr, "select list(KONTAKTID) from (select KONTAKTID from KONTAKT order by KONTAKTID)");
    EXPECT_EQ(ids.toString(), QStringLiteral("%1,%2").arg(before + 1).arg(before + 2));
    // Defaults of a new contact: confirmed, not part of a mass offer.
    EXPECT_EQ(one(tr, "select min(KONTAKTTOIMUS) || min(KONTAKTIDGRUPP) from KONTAKT").toString(), QStringLiteral("Y0"));
    // An explicit id is kept.
    run(tr, "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK) values (777, 1, 1, current_date, 1)");
    EXPECT_EQ(one(tr, "select count(*) from KONTAKT where KONTAKTID = 777").toInt(), 1);
    tr.rollback();
}

TEST_F(SchemaTest, ComputedNamesFollowTheReferencedRow)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    run(tr, "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')");
    run(tr, "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)");
    run(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI, LINNVALDKOOD) values (1, 'Mari', 'Tamm', 1)");
    run(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (2, 'Maximilian-Alexander', 'Vanderbilt-Rosenkrantz')");
    run(tr, "insert into AGENTK (AGENTKOOD, AGPERENIMI) values (3, 'Kask')");
    run(tr, "insert into KLIENTK (KLIKOOD, KLINIMI, LINNVALDKOOD, RIIKID) values (1, 'Balti Puit', 1, 1)");
    run(tr, "insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (1, 1)");
    run(tr, "insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (1, 2)");
    run(tr, "insert into KLIAGENT (KLIKOOD, AGENTKOOD) values (1, 3)");
    run(tr, "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')");
    run(tr, "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sülearvuti')");
    run(tr, "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (1, 1, 1, 1)");

    EXPECT_EQ(one(tr, "select AGENTNIMI from KLIAGENT where AGENTKOOD = 1").toString(), QStringLiteral("Mari Tamm"));
    EXPECT_EQ(one(tr, "select LINNVALDNIMI from KLIENTK where KLIKOOD = 1").toString(), QStringLiteral("Tallinn"));
    EXPECT_EQ(one(tr, "select LINNVALDNIMI from AGENTK where AGENTKOOD = 1").toString(), QStringLiteral("Tallinn"));
    EXPECT_EQ(one(tr, "select RIIGINIMI from KLIENTK where KLIKOOD = 1").toString(), QStringLiteral("Eesti"));
    EXPECT_EQ(one(tr, "select TOOTENIMI from KLITOODE where KLITOODEID = 1").toString(), QStringLiteral("Sülearvuti"));
    // Long agent names are cut to the 30 characters of the column; a missing first name leaves the family name.
    EXPECT_EQ(one(tr, "select AGENTNIMI from KLIAGENT where AGENTKOOD = 2").toString().size(), 30);
    EXPECT_EQ(one(tr, "select trim(AGENTNIMI) from KLIAGENT where AGENTKOOD = 3").toString(), QStringLiteral("Kask"));

    run(tr, "update AGENTK set AGEESNIMI = 'Mare' where AGENTKOOD = 1");
    run(tr, "update LINNVALD set LINNVALDNIMI = 'Tallinna linn' where LINNVALDKOOD = 1");
    run(tr, "update TOOTED set TOOTENIMI = 'Sülearvuti 14' where TOOTEID = 1");
    EXPECT_EQ(one(tr, "select AGENTNIMI from KLIAGENT where AGENTKOOD = 1").toString(), QStringLiteral("Mare Tamm"));
    EXPECT_EQ(one(tr, "select LINNVALDNIMI from KLIENTK where KLIKOOD = 1").toString(), QStringLiteral("Tallinna linn"));
    EXPECT_EQ(one(tr, "select LINNVALDNIMI from KLIKISIK_KOOND_VIEW").toString(), QString()); // no contact person yet
    EXPECT_EQ(one(tr, "select TOOTENIMI from KLITOODE where KLITOODEID = 1").toString(), QStringLiteral("Sülearvuti 14"));

    // Computed columns cannot be written.
    EXPECT_THROW(run(tr, "update KLIENTK set LINNVALDNIMI = 'x' where KLIKOOD = 1"), fb::FbError);
    tr.rollback();
}

TEST_F(SchemaTest, DeletingAClientTakesItsDetailsAndIsRefusedWhileItHasContacts)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    run(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (1, 'Mari', 'Tamm')");
    run(tr, "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI) values (1, 'Külastus')");
    for (int k = 1; k <= 2; ++k) {
        run(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (?, ?)", {k, QStringLiteral("Klient %1").arg(k)});
        run(tr, "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (?, ?, 'Jaan Saar')", {k * 10, k});
        run(tr, "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (?, ?, 'Tiiu Mägi')", {k * 10 + 1, k});
        run(tr, "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (?, 1, 'Y')", {k});
        run(tr, "insert into KLIDOKUM (KLIDOKID, KLIKOOD, KLIDOKFILENAME) values (?, ?, 'leping.pdf')", {k, k});
    }
    EXPECT_EQ(one(tr, "select count(*) from KLIKISIK_KOOND_VIEW where KLIKOOD = 1").toInt(), 2);
    EXPECT_EQ(one(tr, "select KLIDOKTYYP from KLIDOKUM where KLIDOKID = 1").toString(), QStringLiteral("file"));

    run(tr, "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KLIKISIKKOOD) "
            "values (1000, 1, 2, current_date, 1, 20)");
    run(tr, "delete from KLIENTK where KLIKOOD = 1");
    EXPECT_EQ(one(tr, "select count(*) from KLIKISIK where KLIKOOD = 1").toInt(), 0);
    EXPECT_EQ(one(tr, "select count(*) from KLIAGENT where KLIKOOD = 1").toInt(), 0);
    EXPECT_EQ(one(tr, "select count(*) from KLIDOKUM where KLIKOOD = 1").toInt(), 0);

    try {
        run(tr, "delete from KLIENTK where KLIKOOD = 2");
        FAIL() << "a client with contacts was deleted";
    } catch (const fb::FbError &e) {
        EXPECT_TRUE(e.hasCode(fb::FbError::ForeignKey)) << e.message().toStdString();
    }
    EXPECT_EQ(one(tr, "select count(*) from KLIKISIK where KLIKOOD = 2").toInt(), 2);
    EXPECT_EQ(one(tr, "select count(*) from KONTAKT where KLIKOOD = 2").toInt(), 1);

    // A mass offer row has no client; its lines carry the offer's id.
    run(tr, "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK) values (50, 1, null, current_date, 1)");
    run(tr, "insert into KONTAKT (AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTIDGRUPP) "
            "select 1, KLIKOOD, current_date, 1, 50 from KLIENTK");
    EXPECT_EQ(one(tr, "select count(*) from KONTAKT where KONTAKTIDGRUPP = 50").toInt(), 1);
    tr.rollback();
}

TEST_F(SchemaTest, ProceduresAnswerAndStoreSurveyAnswers)
{
    fb::Attachment att = s_db->connect();
    fb::Transaction tr(att);
    run(tr, "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Balti Puit')");
    run(tr, "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KONTAKTISIKEMAIL) "
            "values (5, 1, 'Jaan', '5123 4567', 'jaan@puit.ee')");
    fb::Statement data(tr, "select KONTAKTISIKTEL, KONTAKTISIKFAX, KONTAKTISIKEMAIL from GET_KLIKISIK_DATA1(?)");
    data.setInt(0, 5);
    data.execute();
    ASSERT_TRUE(data.fetch());
    EXPECT_EQ(data.getString(0), QStringLiteral("5123 4567"));
    EXPECT_TRUE(data.isNull(1));
    EXPECT_EQ(data.getString(2), QStringLiteral("jaan@puit.ee"));

    run(tr, "insert into KYSIMUS (KYSIMUSID, KYSIMUS, KVASTUSTYYP) values (1, 'Kas olete rahul?', 1)");
    run(tr, "insert into KYSITLUS (KYSITLUSID, KYSITLUSNIMI) values (1, 'Rahulolu')");
    run(tr, "insert into KYSIKYSI (KYSITLUSID, KYSIMUSID) values (1, 1)");
    const char *call = "execute procedure KVASTUS_APPENDUPDATE (1, 1, 1, 0, current_date, 1, null, ?, null, null, null, ?, ?)";
    run(tr, call, {1, QStringLiteral("esimene"), 0});
    run(tr, call, {0, QStringLiteral("parandatud"), 0});
    EXPECT_EQ(one(tr, "select count(*) from KVASTUS").toInt(), 1);
    EXPECT_EQ(one(tr, "select JAHEIVASTUS || ' ' || VASTUSSELGITUS || ' ' || KYSIMUSNIMI from KVASTUS").toString(),
              QStringLiteral("0 parandatud Kas olete rahul?"));
    run(tr, call, {0, QStringLiteral("kustuta"), 1});
    EXPECT_EQ(one(tr, "select count(*) from KVASTUS").toInt(), 0);
    tr.rollback();
}

} // namespace

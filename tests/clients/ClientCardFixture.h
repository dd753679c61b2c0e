#pragma once

// What the client card tests share: one database with a few clients of two agents, the main data
// module on it with a scripted user interface, and helpers to read the database.

#include <memory>

#include <gtest/gtest.h>

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/FilterBuilder.h"
#include "data/Session.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "fb/Transaction.h"

// Clients of the seed: 1 belongs to agents 7 and 3, 2 to agent 3 only, 3 has contacts, 4 plans,
// 5 sales, 6 only contact persons; the session's agent is 7.
inline TempDatabase &clientCardDatabase()
{
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("clientcard.fdb"));
        d->execute({
            "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')",
            "insert into RIIK (RIIKID, RIIGINIMI) values (2, 'Läti')",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (2, 'Riia', 2)",
            "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('AS', 'Aktsiaselts')",
            "execute block as declare i integer = 1; begin while (i <= 8) do begin "
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI, AGENTAKTIIVNE) values (:i, 'Agent', 'Nr ' || :i, "
            "'Y'); "
            "i = i + 1; end end",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIOMVORM, KLITEL, KLITELTRIM, KLIEMAIL, RIIKID, LINNVALDKOOD) "
            "values (1, 'Oma Klient', 'AS', '(0)5 123-456', '5123456', 'info@oma.ee', 1, 1)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLITEL) values (2, 'Võõras Klient', '6000000')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (3, 'Kontaktidega')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (4, 'Plaanidega')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (5, 'Müügiga')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (6, 'Kustutatav')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 3, 'N')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (3, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (4, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (5, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (6, 7, 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KONTAKTISIKEMAIL, "
            "KONTAKTISIKAKTIIVNE) values (1, 1, 'Mari Maasikas', '5555 111', 'mari@oma.ee', 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) "
            "values (2, 1, 'Vana Isik', 'N')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (3, 2, 'Jaan Saar')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (4, 6, 'Lahkuja')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI) values (1, 'Telefonikõne')",
            "insert into PROJEKT (PROJID, PROJNIMI) values (1, 'Kevad')",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA, PROJID) "
            "values (1, 7, 1, '01.11.2026', 1, 'Oma kõne', 1)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA) "
            "values (2, 3, 1, '02.11.2026', 1, 'Teise kõne')",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA) "
            "values (3, 7, 3, '03.11.2026', 1, 'Kõne')",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTLIIK, JKONTAKTTEEMA) "
            "values (1, 1, 7, '01.12.2026', 1, 'Oma plaan')",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTLIIK, JKONTAKTTEEMA) "
            "values (2, 1, 3, '02.12.2026', 1, 'Teise plaan')",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTLIIK) "
            "values (3, 4, 7, '03.12.2026', 1)",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (2, 'Mööbel')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sülearvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (2, 2, 'Kirjutuslaud')",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (1, 1, 1, 1)",
            "insert into KL1GR (KL1GRID, KL1GRNIMI) values (1, 'Suurus')",
            "insert into KL1GR (KL1GRID, KL1GRNIMI) values (2, 'Valdkond')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (1, 1, 'Suur')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (2, 2, 'Ehitus')",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (1, 1, 1)",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (1, 2, 2)",
            "insert into KLIDOKUM (KLIDOKID, KLIKOOD, KLIDOKTYYP, KLIDOKFILENAME) values (1, 1, 'web', "
            "'https://oma.ee')",
            "insert into PERMYYK (PERMYYKID, PERALGUS, PERLOPP, KLIKOOD, AGENTKOOD, PERMYYKSUMMA) "
            "values (1, '01.01.2026', '31.01.2026', 5, 7, 100)",
            "alter sequence KLIENTK_KLIKOOD_GEN restart with 100",
            "alter sequence KLIKISIK_KLIKISIKKOOD_GEN restart with 100",
            "alter sequence KLIDOKUM_KLIDOKID_GEN restart with 100",
            "alter sequence GEN_PERMYYK_ID restart with 100",
            "alter sequence KLITOODE_KLITOODEID_GEN restart with 100",
        });
        return d;
    }();
    return *db;
}

class ClientCardFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 2;
        session.AgentCode = 7;
        session.AgentName = QStringLiteral("Agent Nr 7");
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = clientCardDatabase().params();
        module->Connect();
    }
    void TearDown() override
    {
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    qint64 count(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar().toLongLong();
    }
    QVariant one(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar();
    }
    void exec(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        q.exec();
        module->IBTransaction1().commitRetaining();
    }
    // What another workstation sees: only committed rows.
    static qint64 committedCount(const QString &sql)
    {
        fb::Attachment other = clientCardDatabase().connect();
        fb::Transaction tr(other);
        tr.start();
        data::SqlStatement q(tr);
        q.setSql(sql);
        const qint64 n = q.scalar().toLongLong();
        tr.commit();
        return n;
    }

    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};

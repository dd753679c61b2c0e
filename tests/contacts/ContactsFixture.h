#pragma once

// What the contact tests share: one database with clients of two agents, contact types with planned
// minutes, and the main data module on it with a scripted user interface.

#include <memory>

#include <gtest/gtest.h>

#include <QDate>

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TempDatabase.h"
#include "data/FilterBuilder.h"
#include "data/Session.h"
#include "data/SqlStatement.h"
#include "data/TData1.h"
#include "fb/Transaction.h"

// Agents 1..8 ("Agent Nr N"); clients 1 "Oma Klient" AS (agents 7 and 3), 2 "Võõras Klient" (agent 3),
// 3 "Kolme Plaaniga" (agent 7); contact types 1 "Kõne" (30 minutes), 2 "Visiit" (15 minutes), 3 "Kiri"
// (none); persons 1 and 2 of client 1; product groups 1, 2 with products 1 (group 1), 2 (group 2);
// project 1 "Kevad".
inline TempDatabase &contactsDatabase()
{
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("contacts.fdb"));
        d->execute({
            "execute block as declare i integer = 1; begin while (i <= 8) do begin "
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI, AGENTAKTIIVNE) values (:i, 'Agent', 'Nr ' || :i, "
            "'Y'); i = i + 1; end end",
            "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('AS', 'Aktsiaselts')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIOMVORM, KLITEL) values (1, 'Oma Klient', 'AS', '5123456')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Võõras Klient')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (3, 'Kolme Plaaniga')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 3, 'N')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (3, 7, 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) "
            "values (1, 1, 'Mari Maasikas', 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) "
            "values (2, 3, 'Peeter Plaan', 'Y')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID) values (1, 'Kõne', 30)",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID) values (2, 'Visiit', 15)",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI) values (3, 'Kiri')",
            "insert into PROJEKT (PROJID, PROJNIMI) values (1, 'Kevad')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (2, 'Mööbel')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sülearvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (2, 2, 'Kirjutuslaud')",
            "alter sequence KONTAKT_KONTAKTID_GEN restart with 1000",
            "alter sequence KLIJKONT_JKONTAKTID_GEN restart with 1000",
        });
        return d;
    }();
    return *db;
}

inline QString sqlDate(const QDate &date)
{
    return QLatin1Char('\'') + date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('\'');
}

class ContactsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 2;
        session.AgentCode = 7;
        session.AgentName = QStringLiteral("Agent Nr 7");
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = contactsDatabase().params();
        module->Connect();
        // Every test starts from no contacts and no plans.
        run(QStringLiteral("delete from KONTAKT"));
        run(QStringLiteral("delete from KLIJKONT"));
    }
    void TearDown() override
    {
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    void run(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        q.exec();
        module->IBTransaction1().commitRetaining();
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
    // A plan of a client and agent on a day, with a topic; returns its ID.
    int plan(int id, int client, int agent, const QDate &date, const QString &topic, const QString &time = QString(),
             int type = 1)
    {
        run(QStringLiteral("insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTKELL, "
                           "JKONTAKTLIIK, JKONTAKTTEEMA, JKONTAKTKOMMENT, REGAGENTKOOD, AGENTTUTVUNUD) "
                           "values (%1, %2, %3, %4, %5, %6, '%7', 'Kommentaar %7', %3, 'Y')")
                .arg(id)
                .arg(client)
                .arg(agent)
                .arg(sqlDate(date), time.isEmpty() ? QStringLiteral("null") : QLatin1Char('\'') + time + QLatin1Char('\''))
                .arg(type)
                .arg(topic));
        return id;
    }
    // A recorded contact of an agent with a client.
    int contact(int id, int client, int agent, const QDate &date, const QString &performed = QStringLiteral("Y"),
                int registrar = 0)
    {
        run(QStringLiteral("insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
                           "KONTAKTTOIMUS, KONTAKTTEEMA, REGAGENTKOOD) values (%1, %2, %3, %4, '10:00', 1, '%5', 'Teema', %6)")
                .arg(id)
                .arg(agent)
                .arg(client)
                .arg(sqlDate(date), performed, registrar > 0 ? QString::number(registrar) : QStringLiteral("null")));
        return id;
    }

    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};

#pragma once

// What the plan tests share: a database with a few clients, agents, contact types and contacts, the
// main data module on it with a scripted user interface, and a main window that records what it is
// asked to do.

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

// Agents 1 to 8 ("Agent Nr i"). Client 1 belongs to agents 7 and 3, client 2 to agent 3 only, client 3
// to agent 1. Contact types: 1 ("Telefon") plans 15 minutes, 2 plans 30, 3 plans 45. Contact 1 of client 1 has a
// topic, a comment, a product group and a product; contact 2 a product group only.
TempDatabase &planDatabase();

// A main window whose contact registration is recorded with every value and answers as told.
struct PlanRecordingMain : RecordingMain
{
    struct Registration
    {
        int clientCode = 0;
        int agentCode = 0;
        QString agentName;
        QString personName;
        QString clientName;
        int planId = 0;
        int personCode = 0;
    };
    QList<Registration> registrations;
    bool registrationTaken = true;

    bool RegisterContact(int clientCode, int agentCode, const QString &agentName, const QString &personName,
                         const QString &clientName, int plannedContactId, int personCode) override
    {
        registrations.append({clientCode, agentCode, agentName, personName, clientName, plannedContactId, personCode});
        return registrationTaken;
    }
};

class PlanFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data::ClearFilterRegistry();
        session.Level = 2;
        session.AgentCode = 7;
        session.AgentName = QStringLiteral("Agent Nr 7");
        module = std::make_unique<data::TData1>(&ui, &mainWindow, &session);
        module->Database1Params() = planDatabase().params();
        module->Connect();
    }
    void TearDown() override
    {
        module.reset();
        EXPECT_TRUE(ui.allSeen());
    }
    void actAs(int agent, int level)
    {
        session.AgentCode = agent;
        session.AgentName = QStringLiteral("Agent Nr %1").arg(agent);
        session.Level = level;
    }
    QVariant one(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        return q.scalar();
    }
    qint64 count(const QString &sql) { return one(sql).toLongLong(); }
    void exec(const QString &sql)
    {
        data::SqlStatement q(module->IBTransaction1());
        q.setSql(sql);
        q.exec();
        module->IBTransaction1().commitRetaining();
    }
    // A plan written straight into the database: its ID.
    int seedPlan(int client, int agent, int planner, const char *seen, const QString &topic = QStringLiteral("Plaan"))
    {
        const int id = static_cast<int>(
            one(QStringLiteral("select gen_id(KLIJKONT_JKONTAKTID_GEN, 1) from RDB$DATABASE")).toInt());
        exec(QStringLiteral(
                 "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, REGAGENTKOOD, AGENTTUTVUNUD, "
                 "JKONTAKTKUUP, JKONTAKTLIIK, JKONTAKTTEEMA) values (%1, %2, %3, %4, '%5', '10.12.2026', 1, '%6')")
                 .arg(id)
                 .arg(client)
                 .arg(agent)
                 .arg(planner)
                 .arg(QString::fromLatin1(seen), topic));
        return id;
    }

    ScriptedUserInterface ui;
    PlanRecordingMain mainWindow;
    data::Session session;
    std::unique_ptr<data::TData1> module;
};

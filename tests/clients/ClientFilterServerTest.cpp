// The product criterion of the client list on the private server: a client with several products of
// the group comes once.

#include <gtest/gtest.h>

#include "RecordingMain.h"
#include "ScriptedUserInterface.h"
#include "TestServer.h"
#include "clients/ClientFilter.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"
#include "data/TData1.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

TEST(ClientFilterServerTest, AProductGroupListsEachClientOnce)
{
    const QString database = TestServer::createDatabase(QStringLiteral("clientfilter.fdb"));
    {
        fb::Attachment att = fb::Attachment::attach(TestServer::sysdba(database));
        fb::Transaction tr(att);
        tr.start();
        for (const char *sql : {
                 "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
                 "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sulearvuti')",
                 "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (2, 1, 'Lauaarvuti')",
                 "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Kahe Arvutiga')",
                 "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Ühe Arvutiga')",
                 "insert into KLIENTK (KLIKOOD, KLINIMI) values (3, 'Arvutita')",
                 "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (1, 1, 1, 1)",
                 "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (2, 1, 1, 2)",
                 "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (3, 1, 1, 1)",
                 "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (4, 2, 1, 2)",
             })
            att.executeImmediate(tr, sql);
        tr.commit();
    }

    data::ClearFilterRegistry();
    ScriptedUserInterface ui;
    RecordingMain mainWindow;
    data::Session session;
    session.Level = 5;
    data::TData1 module(&ui, &mainWindow, &session);
    module.Database1Params() = TestServer::sysdba(database);
    module.Connect();
    data::DataSet &list = *module.taKliendid();
    list.open();

    auto codes = [&list] {
        list.fetchAll();
        QList<int> c;
        for (int row = 0; row < list.fetchedCount(); ++row)
            c << list.valueAt(row, list.field(QStringLiteral("KLIKOOD")).index()).toInt();
        std::sort(c.begin(), c.end());
        return c;
    };
    clients::ClientFilterValues v;
    v.productGroupId = QStringLiteral("1");
    const clients::ClientFilterResult r = clients::ClientFilter::Apply(list, v);
    ASSERT_TRUE(r.applied);
    EXPECT_TRUE(r.distinct);
    EXPECT_EQ(r.extraTables, QStringLiteral("KLITOODE"));
    EXPECT_TRUE(list.selectSql().trimmed().startsWith(QStringLiteral("select DISTINCT"), Qt::CaseInsensitive));
    EXPECT_EQ(codes(), (QList<int>{1, 2}));

    v.productId = QStringLiteral("1");
    ASSERT_TRUE(clients::ClientFilter::Apply(list, v).applied);
    EXPECT_EQ(codes(), QList<int>{1});

    // Without the product criterion the rows are plain again.
    clients::ClientFilterValues none;
    const clients::ClientFilterResult plain = clients::ClientFilter::Apply(list, none);
    EXPECT_FALSE(plain.distinct);
    EXPECT_FALSE(list.selectSql().contains(QStringLiteral("DISTINCT"), Qt::CaseInsensitive));
    EXPECT_EQ(codes(), (QList<int>{1, 2, 3}));
    module.Disconnect();
    EXPECT_TRUE(ui.allSeen());
}

} // namespace

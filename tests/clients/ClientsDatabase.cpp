#include "ClientsDatabase.h"

#include "TempDatabase.h"

TempDatabase &clientsDatabase()
{
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("clients.fdb"));
        d->execute({
            "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (2, 'Tartu', 1)",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (3, 'Kati', 'Karu')",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Jaan', 'Juurikas')",
            "insert into KAMETID (AMETID, AMET) values (1, 'Juhataja')",
            "insert into KAMETID (AMETID, AMET) values (2, 'Raamatupidaja')",
            "insert into KL1GR (KL1GRID, KL1GRNIMI) values (1, 'Suurus')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (1, 1, 'Suur')",
            "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI) values (2, 1, 'Keskmine')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (2, 'Mööbel')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sulearvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (2, 1, 'Lauaarvuti')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (3, 2, 'Laud')",
            "insert into TOOTELISA (TOOTELISAID, TOOTEGRID, TOOTELISANIMI) values (1, 1, 'Garantiiga')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, LINNVALDKOOD, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE, "
            "KLIPYSI, "
            "KLIKVALITEET, KLISUHTETYYP) values (1, 'O''Brien Ltd', 'Pikk 1', 1, '10.01.2004', 10, 5000, 'Y', 1, 1)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, LINNVALDKOOD2, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE, "
            "KLIPYSI, "
            "KLIKVALITEET, KLISUHTETYYP) values (2, 'x'' OR ''1''=''1 AS', 'x'' OR ''1''=''1 tn 2', 1, '05.03.2004', "
            "1500, 1000, "
            "'N', null, 11)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS2, LINNVALDKOOD, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE, "
            "KLIKVALITEET) "
            "values (3, 'Tartu Kivi', 'O''Brieni tee 5', 2, null, null, null, -1)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, KLIENTAKTIIVNE, KLILISAMKUUP, KLIKVALITEET) "
            "values (4, 'Vana Klient', 'Lai 4', 'N', '01.06.2010', 0)",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, KLILISAMKUUP, TOOTAJATEARV, KLIKAIVE) "
            "values (5, 'Kaks Klassi', 'Lai 5', '20.12.2020', 1000, 1001)",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (5, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (5, 3, 'N')",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (5, 1, 1)",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (5, 1, 2)",
            "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (1, 1, 1)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID, TOOTELISAID) values (1, 5, 1, 1, 1)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (2, 5, 1, 2)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (3, 5, 1, 1)",
            "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID) values (4, 3, 2, 3)",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, AMETID) values (1, 1, 'Sean O''Brien', 1)",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, AMETID) values (2, 2, 'x'' OR ''1''=''1', "
            "2)",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (3, null, 'Ilma Kliendita')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (4, 4, 'Vana Isik')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) values (5, 5, 'Endine "
            "Isik', 'N')",
            "alter sequence KLIKISIK_KLIKISIKKOOD_GEN restart with 100",
        });
        return d;
    }();
    return *db;
}

#include "PlanFixture.h"

TempDatabase &planDatabase()
{
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("plans.fdb"));
        d->execute({
            "execute block as declare i integer = 1; begin while (i <= 8) do begin "
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI, AGENTAKTIIVNE) values (:i, 'Agent', 'Nr ' || :i, "
            "'Y'); i = i + 1; end end",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (1, 'Oma Klient')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (2, 'Võõras Klient')",
            "insert into KLIENTK (KLIKOOD, KLINIMI) values (3, 'Juhi Klient')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 3, 'N')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 3, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (3, 1, 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) "
            "values (1, 1, 'Mari Maasikas', 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKAKTIIVNE) "
            "values (2, 2, 'Jaan Saar', 'Y')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID, MASSKONTAKT) "
            "values (1, 'Telefon', 15, 'N')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID, MASSKONTAKT) "
            "values (2, 'Kohtumine', 30, 'N')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID, MASSKONTAKT) "
            "values (3, 'Esitlus', 45, 'N')",
            "insert into PROJEKT (PROJID, PROJNIMI) values (1, 'Kevad')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (1, 'Arvutid')",
            "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI) values (2, 'Toolid')",
            "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI) values (1, 1, 'Sülearvuti')",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA, "
            "KONTAKTKOMMENT, TOOTEGRID, TOOTEID) values (1, 7, 1, '01.11.2026', 1, 'Hinnapakkumine', "
            "'Soovib kolme sülearvutit', 1, 1)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTLIIK, KONTAKTTEEMA, TOOTEGRID) "
            "values (2, 7, 1, '02.11.2026', 1, 'Ainult grupp', 1)",
            "alter sequence KLIJKONT_JKONTAKTID_GEN restart with 100",
        });
        return d;
    }();
    return *db;
}

#include "ContactListsDatabase.h"

#include "TempDatabase.h"

TempDatabase &contactListsDatabase()
{
    static TempDatabase *db = [] {
        auto *d = new TempDatabase(QStringLiteral("contactlists.fdb"));
        d->execute({
            "insert into RIIK (RIIKID, RIIGINIMI) values (1, 'Eesti')",
            "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (1, 'Tallinn', 1)",
            "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('AS', 'Aktsiaselts')",
            "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values ('OÜ', 'Osaühing')",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (3, 'Kati', 'Karu')",
            "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI) values (7, 'Jaan', 'Juurikas')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, MASSKONTAKT) values (1, 'Telefonikõne', 'N')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, MASSKONTAKT) values (2, 'Visiit', 'N')",
            "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, MASSKONTAKT) values (3, 'Masspakkumine', 'Y')",
            "insert into PROJEKT (PROJID, PROJNIMI) values (1, 'Kevad')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIOMVORM, KLIAADRESS, LINNVALDKOOD, KLITEL, KLIFAX, KLIEMAIL) "
            "values (1, 'O''Brien Ltd', 'AS', 'Pikk 1', 1, '600 1111', '600 1112', 'info@obrien.ee')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, LINNVALDKOOD, KLITEL, KLIEMAIL) "
            "values (2, 'Tartu Kivi', 1, '700 2222', 'kivi@tartu.ee')",
            "insert into KLIENTK (KLIKOOD, KLINIMI, KLIOMVORM, KLIAADRESS, KLITEL) "
            "values (3, 'Lai Pood', 'OÜ', 'Lai 3', '733 3333')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (1, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (2, 7, 'Y')",
            "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (3, 3, 'Y')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KONTAKTISIKEMAIL) "
            "values (1, 1, 'Sean O''Brien', '5111 1111', 'sean@obrien.ee')",
            "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI) values (2, 2, 'Mari Maasikas')",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTKELL, JKONTAKTLIIK, "
            "JKONTAKTKOKKULEPE, JKONTAKTTEEMA, KLIKISIKKOOD, JKONTTAHTAEG, REGAGENTKOOD, PROJID) values "
            "(1, 1, 7, '01.02.2024', '10:00', 1, '+', 'Pakkumine', 1, '05.02.2024', 7, 1)",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTKELL, JKONTAKTLIIK, "
            "JKONTAKTKOKKULEPE, JKONTAKTTEEMA, KLIKISIKKOOD, JKONTTAHTAEG, REGAGENTKOOD) values "
            "(2, 2, 7, '01.02.2024', '09:00', 2, '-', 'Visiit', 2, null, 3)",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTKELL, JKONTAKTLIIK, "
            "JKONTAKTKOKKULEPE, JKONTAKTTEEMA, KLIKISIKKOOD, JKONTTAHTAEG, REGAGENTKOOD) values "
            "(3, 3, 3, '02.02.2024', '11:30', 1, '?', 'Kõne', null, '10.02.2024', 3)",
            "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTKELL, JKONTAKTLIIK, "
            "JKONTAKTKOKKULEPE, JKONTAKTTEEMA, KLIKISIKKOOD, JKONTTAHTAEG, REGAGENTKOOD) values "
            "(4, 1, 3, '31.01.2024', '14:00', 1, '+', null, null, '01.02.2024', 3)",
            "alter sequence KLIJKONT_JKONTAKTID_GEN restart with 100",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
            "KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD) values "
            "(1, 7, 1, '01.02.2024', '10:00', 1, 'Y', 'Pakkumine', 0, 1, 1, 7)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
            "KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD) values "
            "(2, 7, 2, '02.02.2024', '09:00', 2, 'N', 'Visiit', 0, 2, null, 3)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
            "KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD) values "
            "(3, 3, 1, '02.02.2024', '15:00', 1, null, 'Kõne', 0, null, null, 3)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
            "KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD) values "
            "(4, 3, null, '03.02.2024', '08:00', 3, 'Y', 'Kevadpakkumine', 0, null, null, 3)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
            "KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD) values "
            "(5, 3, 3, '03.02.2024', '08:00', 3, 'Y', 'Kevadpakkumine', 4, null, null, 3)",
            "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
            "KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD) values "
            "(6, 7, 3, '31.01.2024', '12:00', 1, 'Y', 'Tellimus', 0, null, null, 7)",
            "alter sequence KONTAKT_KONTAKTID_GEN restart with 100",
        });
        return d;
    }();
    return *db;
}

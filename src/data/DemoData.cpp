#include "DemoData.h"

#include <cstdint>

#include <QStringList>

#include "PhoneDigits.h"
#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace data {

namespace {

// A small deterministic generator (SplitMix64): the same seed gives the same demo on every machine.
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<quint64>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template<typename T>
    const T &pick(const QList<T> &list) { return list.at(below(static_cast<int>(list.size()))); }

private:
    quint64 m_state;
};

const QStringList Countries = {"Eesti", "Läti", "Leedu", "Soome", "Rootsi", "Saksamaa", "Norra", "Taani", "Poola", "Venemaa"};

// (place, country index)
const QList<QPair<QString, int>> Places = {
    {"Tallinn", 0}, {"Tartu", 0}, {"Narva", 0}, {"Pärnu", 0}, {"Kohtla-Järve", 0}, {"Viljandi", 0},
    {"Maardu", 0}, {"Rakvere", 0}, {"Kuressaare", 0}, {"Sillamäe", 0}, {"Valga", 0}, {"Võru", 0},
    {"Jõhvi", 0}, {"Haapsalu", 0}, {"Keila", 0}, {"Paide", 0}, {"Saue", 0}, {"Elva", 0}, {"Tapa", 0},
    {"Põlva", 0}, {"Türi", 0}, {"Rapla", 0}, {"Jõgeva", 0}, {"Kärdla", 0}, {"Otepää", 0},
    {"Harku vald", 0}, {"Viimsi vald", 0}, {"Rae vald", 0}, {"Saku vald", 0}, {"Kiili vald", 0},
    {"Jõelähtme vald", 0}, {"Kose vald", 0}, {"Saaremaa vald", 0}, {"Lääne-Harju vald", 0}, {"Anija vald", 0},
    {"Riia", 1}, {"Vilnius", 2}, {"Helsingi", 3}, {"Stockholm", 4}, {"Berliin", 5},
};

const QList<QPair<QString, QString>> LegalForms = {
    {"AS", "Aktsiaselts"}, {"OÜ", "Osaühing"}, {"MTÜ", "Mittetulundusühing"},
    {"FIE", "Füüsilisest isikust ettevõtja"}, {"TÜ", "Täisühing"}, {"UÜ", "Usaldusühing"},
    {"SA", "Sihtasutus"}, {"KÜ", "Korteriühistu"}, {"TÜH", "Tulundusühistu"},
};
// Legal form of a client, weighted towards the common ones.
const QStringList ClientForms = {"OÜ", "OÜ", "OÜ", "OÜ", "AS", "AS", "OÜ", "FIE", "MTÜ", "AS", "SA", "TÜH", "OÜ", "KÜ"};

const QStringList Positions = {"Juhataja", "Tegevjuht", "Finantsjuht", "Raamatupidaja", "Ostujuht", "Müügijuht",
                               "IT-juht", "Sekretär", "Tootmisjuht", "Laojuhataja", "Personalijuht", "Omanik"};

const QStringList FirstNames = {"Mari", "Jaan", "Kati", "Peeter", "Tiiu", "Andres", "Liis", "Tõnu", "Kadri", "Märt",
                                "Ülle", "Priit", "Eha", "Rein", "Õie", "Urmas", "Siiri", "Toomas", "Küllike", "Jüri",
                                "Aino", "Meelis", "Helle", "Lauri", "Merike", "Ants", "Pille", "Sander", "Triin", "Margus"};
const QStringList FamilyNames = {"Tamm", "Saar", "Sepp", "Mägi", "Kask", "Kukk", "Rebane", "Ilves", "Pärn", "Koppel",
                                 "Lepik", "Kuusk", "Karu", "Mets", "Vaher", "Org", "Lill", "Kallas", "Raudsepp", "Jõgi",
                                 "Männik", "Põder", "Kõiv", "Sööt", "Õunapuu", "Härm", "Luik", "Teder", "Ots", "Rätsep"};

const QStringList NamePrefixes = {"Balti", "Eesti", "Nordic", "Tallinna", "Tartu", "Põhja", "Lõuna", "Lääne", "Ida",
                                  "Kesk", "Saare", "Viru", "Pärnu", "Harju", "Meie", "Uus", "Vana", "Suur", "Hea", "Kiire"};
const QStringList NameCores = {"Ehitus", "Puit", "Metall", "Kaubandus", "Transport", "Logistika", "Tarkvara", "Arvuti",
                               "Kinnisvara", "Toit", "Pagar", "Aken", "Uks", "Mööbel", "Kivi", "Energia", "Elekter",
                               "Auto", "Reklaam", "Trükk", "Konsult", "Turva", "Puhastus", "Kala", "Piim", "Lill",
                               "Aed", "Tehnika", "Plast", "Klaas"};
const QStringList NameSuffixes = {"", "keskus", "teenused", "grupp", "partner", "maailm", "tehas", "koda", "ait"};

const QStringList Streets = {"Pärnu mnt", "Narva mnt", "Tartu mnt", "Liivalaia", "Pikk", "Lai", "Vabaduse pst",
                             "Rüütli", "Sõpruse pst", "Mustamäe tee", "Peterburi tee", "Riia", "Jaama", "Kesk",
                             "Aia", "Posti", "Kooli", "Tööstuse", "Lõõtsa", "Männi"};

const QStringList Subjects = {"Hinnapäring", "Uus pakkumine", "Lepingu pikendamine", "Toote tutvustus",
                              "Arve küsimus", "Tarne kokkulepe", "Hoolduse aeg", "Kaebus", "Tagasiside",
                              "Aastaleping", "Koolituse pakkumine", "Kohtumise kokkulepe"};
const QStringList Comments = {"Klient soovib pakkumist e-postiga.", "Helistada tagasi järgmisel nädalal.",
                              "Otsustaja on puhkusel.", "Huvi olemas, eelarve veel kinnitamata.",
                              "Tellimus tuleb kuu lõpus.", "Vaja saata näidised.",
                              "Rahul senise teenusega.\nSoovib hinnaalandust."};

// (contact type, planned minutes, mass contact)
struct ContactType
{
    const char *name;
    int minutes;
    bool mass;
};
const ContactType ContactTypes[] = {
    {"Telefonikõne", 5, false}, {"Külastus", 60, false},        {"Kiri", 10, false},
    {"E-kiri", 5, false},       {"Faks", 3, false},             {"Pakkumine", 15, false},
    {"Koosolek", 90, false},    {"Esitlus", 45, false},         {"Massiline e-kiri", 1, true},
    {"Massiline kiri", 1, true},
};
constexpr int MassEmailType = 9;

// A plan's agreement with the client: agreed (+), refused (-) or open (?).
template <typename Random> QString agreement(Random &rnd)
{
    const int n = rnd.below(100);
    return QString(n < 50 ? "+" : n < 85 ? "?" : "-");
}

struct ProductGroup
{
    const char *name;
    const char *specCaption;
    QStringList specs;
    // (name, maker, price without tax in thousandths, unit)
    QList<std::tuple<const char *, const char *, qint64, const char *>> products;
};

const QList<ProductGroup> &productGroups()
{
    static const QList<ProductGroup> groups = {
        {"Kontoritarbed", "Värv", {"Valge", "Must", "Sinine"},
         {{"Paber A4 500 lehte", "Paberivabrik", 4500, "pk"}, {"Kaustik A5", "Paberivabrik", 1200, "tk"},
          {"Pastapliiats", "Kirjatarbed", 350, "tk"}, {"Kiirköitja", "Kirjatarbed", 800, "tk"}}},
        {"Arvutid", "Mudel", {"Sülearvuti 14\"", "Sülearvuti 16\"", "Lauaarvuti"},
         {{"Tööjaam Pro", "Arvutitehas", 1150000, "tk"}, {"Kontoriarvuti", "Arvutitehas", 640000, "tk"},
          {"Monitor 27\"", "Kuvar", 219900, "tk"}}},
        {"Tarkvara", "Versioon", {"Standard", "Professional", "Enterprise"},
         {{"Raamatupidamine", "Tarkvaramaja", 49000, "litsents"}, {"Laoarvestus", "Tarkvaramaja", 39000, "litsents"},
          {"Kliendihaldus", "Tarkvaramaja", 29000, "litsents"}}},
        {"Printerid", "Tüüp", {"Laser", "Tint", "Multifunktsionaalne"},
         {{"Printer A4", "Trükiseade", 189000, "tk"}, {"Toonerikassett", "Trükiseade", 59900, "tk"}}},
        {"Hooldusteenused", "Tase", {"Põhi", "Laiendatud", "Täis"},
         {{"Arvutihooldus", "Lumora", 35000, "h"}, {"Võrguhooldus", "Lumora", 42000, "h"},
          {"Kaugtugi", "Lumora", 25000, "kuu"}}},
        {"Mööbel", "Materjal", {"Kask", "Tamm", "Metall"},
         {{"Kirjutuslaud", "Mööblitehas", 249000, "tk"}, {"Kontoritool", "Mööblitehas", 129000, "tk"}}},
    };
    return groups;
}

// (group, caption, classifiers)
const QList<QPair<QString, QStringList>> Classifiers = {
    {"Tegevusala", {"Ehitus", "Kaubandus", "Tootmine", "Transport", "IT", "Haridus", "Tervishoid", "Põllumajandus"}},
    {"Suurus", {"Mikro", "Väike", "Keskmine", "Suur"}},
    {"Huvi", {"Kõrge", "Keskmine", "Madal"}},
};

const QStringList Projects = {"Põhitegevus", "Kevadkampaania", "Ehitusmess", "Sügiskampaania"};

QDate easterSunday(int year)
{
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = ((h + l - 7 * m + 114) % 31) + 1;
    return QDate(year, month, day);
}

QList<QPair<QDate, QString>> estonianHolidays(int year)
{
    const QDate easter = easterSunday(year);
    return {
        {QDate(year, 1, 1), "Uusaasta"},
        {QDate(year, 2, 24), "Iseseisvuspäev, Eesti Vabariigi aastapäev"},
        {easter.addDays(-2), "Suur reede"},
        {easter, "Ülestõusmispühade 1. püha"},
        {QDate(year, 5, 1), "Kevadpüha"},
        {easter.addDays(49), "Nelipühade 1. püha"},
        {QDate(year, 6, 23), "Võidupüha"},
        {QDate(year, 6, 24), "Jaanipäev"},
        {QDate(year, 8, 20), "Taasiseseisvumispäev"},
        {QDate(year, 12, 24), "Jõululaupäev"},
        {QDate(year, 12, 25), "Esimene jõulupüha"},
        {QDate(year, 12, 26), "Teine jõulupüha"},
    };
}

QString asciiSlug(const QString &text)
{
    QString out;
    for (QChar c : text.toLower()) {
        switch (c.unicode()) {
        case u'õ': case u'ö': out += QLatin1Char('o'); break;
        case u'ä': out += QLatin1Char('a'); break;
        case u'ü': out += QLatin1Char('u'); break;
        case u'š': out += QLatin1Char('s'); break;
        case u'ž': out += QLatin1Char('z'); break;
        default:
            if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit())
                out += c;
        }
    }
    return out;
}

QString phoneNumber(Random &rnd, bool mobile)
{
    if (mobile)
        return QStringLiteral("5%1 %2").arg(rnd.between(100, 999)).arg(rnd.between(1000, 9999));
    return QStringLiteral("6%1 %2").arg(rnd.between(10, 99)).arg(rnd.between(1000, 9999));
}

QDate workday(Random &rnd, const QDate &from, int days)
{
    QDate d = from.addDays(rnd.below(days));
    while (d.dayOfWeek() > 5)
        d = d.addDays(-1);
    return d;
}

// Runs one statement over many rows in one transaction, committing in large batches.
class BulkInsert
{
public:
    BulkInsert(fb::Transaction &tr, const QString &sql) : m_tr(tr), m_stmt(tr, sql) {}
    template<typename... Args>
    void row(const Args &...args)
    {
        int i = 0;
        (m_stmt.setValue(i++, QVariant(args)), ...);
        m_stmt.execute();
        if (++m_count % 20000 == 0)
            m_tr.commitRetaining();
    }
    fb::Statement &statement() { return m_stmt; }

private:
    fb::Transaction &m_tr;
    fb::Statement m_stmt;
    int m_count = 0;
};

QVariant nullable(bool present, const QVariant &value)
{
    return present ? value : QVariant();
}

// The optimizer weighs indexes by their selectivity, which the engine records when an index is built
// or restored, not while rows arrive: after loading a register every index would count as useless
// and a list filtered by agent and date would walk the date index alone. Measured again as a restore
// would leave them.
void refreshIndexStatistics(fb::Attachment &attachment)
{
    fb::Transaction tr(attachment);
    tr.start();
    QStringList indexes;
    {
        fb::Statement st(tr, QStringLiteral("select RDB$INDEX_NAME from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0"));
        st.execute();
        while (st.fetch())
            indexes << st.value(0).toString().trimmed();
    }
    for (const QString &index : indexes)
        attachment.executeImmediate(tr, QStringLiteral("SET STATISTICS INDEX %1").arg(index));
    tr.commit();
}

} // namespace

QList<QPair<QString, int>> DemoData::demoUsers()
{
    return {{"ALGAJA", 0}, {"MARI", 1}, {"JAAN", 2}, {"TIIU", 3}, {"PEETER", 4}, {"JUHT", 5}};
}

DemoData::Counts DemoData::fill(fb::Attachment &attachment, const Options &options)
{
    const int scale = std::max(1, options.scale);
    const QDate today = options.referenceDate.isValid() ? options.referenceDate : QDate::currentDate();
    auto say = [&](const QString &what) {
        if (options.progress)
            options.progress(what);
    };
    Random rnd(0x5EED0001);
    Counts counts;

    fb::Transaction tr(attachment);
    tr.start();
    auto exec = [&](const QString &sql) { attachment.executeImmediate(tr, sql); };

    say(QStringLiteral("reference data"));
    {
        BulkInsert ins(tr, "insert into RIIK (RIIKID, RIIGINIMI) values (?, ?)");
        for (int i = 0; i < Countries.size(); ++i)
            ins.row(i + 1, Countries[i]);
    }
    {
        BulkInsert ins(tr, "insert into LINNVALD (LINNVALDKOOD, LINNVALDNIMI, RIIKID) values (?, ?, ?)");
        for (int i = 0; i < Places.size(); ++i)
            ins.row(i + 1, Places[i].first, Places[i].second + 1);
    }
    {
        BulkInsert ins(tr, "insert into OMVORM (OMANDIVORM, OMANDIVORMNIMI) values (?, ?)");
        for (const auto &f : LegalForms)
            ins.row(f.first, f.second);
    }
    {
        BulkInsert ins(tr, "insert into KAMETID (AMETID, AMET) values (?, ?)");
        for (int i = 0; i < Positions.size(); ++i)
            ins.row(i + 1, Positions[i]);
    }
    {
        BulkInsert ins(tr, "insert into KONTLIIK (KONTAKTLIIKKOOD, KONTAKTLIIKNIMI, PLAANMINUTEID, MASSKONTAKT, "
                           "KONTAKTLIIKAKTIIVNE) values (?, ?, ?, ?, 'Y')");
        int i = 0;
        for (const ContactType &t : ContactTypes) {
            ++i;
            ins.row(i, QString::fromUtf8(t.name), t.minutes, QString(t.mass ? "Y" : "N"));
        }
    }
    {
        BulkInsert ins(tr, "insert into PYHAD (KUUPAEV, PYHANIMI) values (?, ?)");
        for (int year = today.year() - 2; year <= today.year() + 1; ++year)
            for (const auto &h : estonianHolidays(year))
                ins.row(h.first, h.second);
    }
    {
        BulkInsert ins(tr, "insert into PROJEKT (PROJID, PROJNIMI, PROJKOMMENT, PROJURL, PROJAKTIIVNE) "
                           "values (?, ?, ?, ?, ?)");
        for (int i = 0; i < Projects.size(); ++i)
            ins.row(i + 1, Projects[i], QStringLiteral("Projekt: %1").arg(Projects[i]),
                    QStringLiteral("https://lumora.ee/%1").arg(asciiSlug(Projects[i])), QString(i < 3 ? "Y" : "N"));
    }

    // Products: groups, refinements, products with prices (value added tax 22 %).
    say(QStringLiteral("products"));
    QList<QPair<int, int>> productIds; // (product, group)
    QMultiHash<int, int> specsOfGroup;
    {
        BulkInsert grp(tr, "insert into TOOTEGR (TOOTEGRID, TOOTEGRNIMI, TOOTELISATIITEL) values (?, ?, ?)");
        BulkInsert spec(tr, "insert into TOOTELISA (TOOTELISAID, TOOTEGRID, TOOTELISANIMI) values (?, ?, ?)");
        BulkInsert prod(tr, "insert into TOOTED (TOOTEID, TOOTEGRID, TOOTENIMI, TOOTETOOTJA, TOOTEKOODLAOS, "
                            "TOODEAKTIIVNE, TOOTEHINDKMTA, TOOTEKMPROC, TOOTEHINDKMGA, TOOTEYHIK) "
                            "values (?, ?, ?, ?, ?, 'Y', ?, ?, ?, ?)");
        int groupId = 0, specId = 0, productId = 0;
        for (const ProductGroup &g : productGroups()) {
            ++groupId;
            grp.row(groupId, QString::fromUtf8(g.name), QString::fromUtf8(g.specCaption));
            for (const QString &s : g.specs) {
                spec.row(++specId, groupId, s);
                specsOfGroup.insert(groupId, specId);
            }
            for (const auto &[name, maker, price, unit] : g.products) {
                ++productId;
                const fb::Numeric net{price, 3};
                const fb::Numeric gross = fb::Numeric{price * 122, 5}.rescaled(3);
                prod.row(productId, groupId, QString::fromUtf8(name), QString::fromUtf8(maker),
                         QStringLiteral("T%1").arg(productId, 5, 10, QLatin1Char('0')), QVariant::fromValue(net),
                         QVariant::fromValue(fb::Numeric{2200, 2}), QVariant::fromValue(gross), QString::fromUtf8(unit));
                productIds.append({productId, groupId});
            }
        }
    }

    say(QStringLiteral("classifiers"));
    QList<QPair<int, int>> classifierIds; // (classifier, group)
    {
        BulkInsert grp(tr, "insert into KL1GR (KL1GRID, KL1GRNIMI, KL1GRKOMMENT) values (?, ?, ?)");
        BulkInsert cls(tr, "insert into KLASSIF1 (KL1ID, KL1GRID, KL1NIMI, KL1KOOD) values (?, ?, ?, ?)");
        int gid = 0, cid = 0;
        for (const auto &g : Classifiers) {
            grp.row(++gid, g.first, QStringLiteral("Klientide jaotus: %1").arg(g.first.toLower()));
            for (const QString &c : g.second) {
                ++cid;
                cls.row(cid, gid, c, QStringLiteral("%1.%2").arg(gid).arg(cid));
                classifierIds.append({cid, gid});
            }
        }
    }

    // Agents, their pay history and the users who work as them.
    say(QStringLiteral("agents and users"));
    const int agentCount = std::min(12 + scale / 5, 60);
    {
        BulkInsert ins(tr, "insert into AGENTK (AGENTKOOD, AGEESNIMI, AGPERENIMI, AGTEL, AGEMAIL, AGENTAKTIIVNE, "
                           "MEIELIIN1, AGAADRESS, LINNVALDKOOD, OSAKOND, RIIKID) "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)");
        BulkInsert pay(tr, "insert into AGPPALK (AGENTKOOD, PALGUSKUUP, POHIPALK) values (?, ?, ?)");
        BulkInsert turnover(tr, "insert into AGMYKAIV (AGENTKOOD, PERALGUS, PERLOPP, MYYGIKAIVE) values (?, ?, ?, ?)");
        const QStringList departments = {"Müük", "Müük", "Võtmekliendid", "Telemarketing"};
        for (int a = 1; a <= agentCount; ++a) {
            const QString first = FirstNames[(a * 7) % FirstNames.size()];
            const QString family = FamilyNames[(a * 11) % FamilyNames.size()];
            ins.row(a, first, family, phoneNumber(rnd, true),
                    QStringLiteral("%1.%2@lumora.ee").arg(asciiSlug(first), asciiSlug(family)),
                    QString(a % 10 == 0 ? "N" : "Y"), QStringLiteral("6 60%1 %2").arg(a % 10).arg(1000 + a),
                    QStringLiteral("%1 %2").arg(rnd.pick(Streets)).arg(rnd.between(1, 120)), rnd.between(1, 10),
                    departments[a % departments.size()]);
            pay.row(a, QDate(today.year() - 1, 1, 1), 900.0 + 50 * (a % 8));
            pay.row(a, QDate(today.year(), 1, 1), 1000.0 + 50 * (a % 8));
            for (int m = 24; m >= 1; --m) {
                const QDate start = QDate(today.year(), today.month(), 1).addMonths(-m);
                turnover.row(a, start, start.addMonths(1).addDays(-1), 5000.0 + rnd.below(20000));
            }
        }
        counts.agents = agentCount;
    }
    {
        BulkInsert ins(tr, "insert into USERSK (KASKOOD, KASNIMI, KASPERE, NIVOO, KASPW, AGENTKOOD, VAIKIMPROJID, "
                           "PROJEKTIVALIKLUBATUD) values (?, ?, ?, ?, null, ?, ?, ?)");
        int agent = 0;
        for (const auto &[name, level] : demoUsers()) {
            ++agent;
            const QString first = name.left(1) + name.mid(1).toLower();
            ins.row(name, first, FamilyNames[(agent * 11) % FamilyNames.size()], level, agent, level >= 3 ? 1 : 0,
                    QString(level >= 3 ? "Y" : "N"));
            exec(QStringLiteral("GRANT VELKORA1USERS TO %1").arg(name));
            ++counts.users;
        }
    }
    {
        BulkInsert ins(tr, "insert into MINMAXM (MALGUSKUUP, MINUTID, MAXMYYK) values (?, ?, ?)");
        ins.row(QDate(today.year() - 1, 1, 1), 6000, 40000.0);
        ins.row(QDate(today.year(), 1, 1), 6600, 45000.0);
    }

    // Clients with their contact persons, agents, classifiers and products.
    say(QStringLiteral("clients"));
    const int clientCount = ClientsPerScale * scale;
    QList<int> responsibleAgent(clientCount + 1, 0);
    QList<int> firstPerson(clientCount + 1, 0);
    QList<int> personCount(clientCount + 1, 0);
    {
        BulkInsert cli(tr, "insert into KLIENTK (KLIKOOD, KLINIMI, KLIOMVORM, KLIKOODLAOS, KLIAADRESS, LINNVALDKOOD, "
                           "KLIPOSTIINDEX, RIIKID, KLITEL, KLITEL2, KLIFAX, KLIEMAIL, KLIKOMMENT, KLILEPINGUNR, "
                           "KLIALE, KLIMAKSEAEG, KLIBOONUS, KLIKVALITEET, KLIPYSI, KLILISAMKUUP, KLIENTAKTIIVNE, "
                           "TOOTAJATEARV, KLITELTRIM, KLITEL2TRIM, KLIREGNR, KLIKAIVE, KLIMPAKKUMOK, KLISUHTETYYP) "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        BulkInsert person(tr, "insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, "
                              "KONTAKTISIKTEL2, KONTAKTISIKEMAIL, AMETID, KONTAKTISIKAKTIIVNE, KISIKTELTRIM, "
                              "KISIKTEL2TRIM, KISIKPAKKUMOK) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        BulkInsert agentOf(tr, "insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (?, ?, ?)");
        BulkInsert cls(tr, "insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (?, ?, ?)");
        BulkInsert prod(tr, "insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID, TOOTELISAID, "
                            "KLITOODEALATESKUUP, KLITOODEKOGUS, TOOTEUUDISEDOK) values (?, ?, ?, ?, ?, ?, ?, ?)");
        int personId = 0, productRow = 0;
        const int combos = static_cast<int>(NamePrefixes.size() * NameCores.size() * NameSuffixes.size());
        for (int k = 1; k <= clientCount; ++k) {
            // Names are unique: the combination walks a fixed permutation, a number separates repeats.
            const int c = static_cast<int>((static_cast<qint64>(k - 1) * 7919) % combos);
            QString name = NamePrefixes[c % NamePrefixes.size()] + QLatin1Char(' ')
                           + NameCores[(c / NamePrefixes.size()) % NameCores.size()]
                           + NameSuffixes[c / (NamePrefixes.size() * NameCores.size())];
            if (k > combos)
                name += QStringLiteral(" %1").arg((k - 1) / combos + 1);
            const int place = rnd.below(100) < 85 ? rnd.between(1, 35) : rnd.between(1, static_cast<int>(Places.size()));
            const int country = Places[place - 1].second + 1;
            const QString tel = phoneNumber(rnd, false);
            const bool hasTel2 = rnd.chance(40);
            const QString tel2 = hasTel2 ? phoneNumber(rnd, true) : QString();
            const QString slug = asciiSlug(name);
            const bool active = !rnd.chance(8);
            cli.row(k, name, rnd.pick(ClientForms), QStringLiteral("L%1").arg(k, 6, 10, QLatin1Char('0')),
                    QStringLiteral("%1 %2").arg(rnd.pick(Streets)).arg(rnd.between(1, 150)), place,
                    QStringLiteral("%1").arg(rnd.between(10000, 99999)), country, tel,
                    nullable(hasTel2, tel2), nullable(rnd.chance(20), phoneNumber(rnd, false)),
                    QStringLiteral("info@%1.ee").arg(slug),
                    nullable(rnd.chance(15), rnd.pick(Comments)),
                    nullable(rnd.chance(30), QStringLiteral("L-%1/%2").arg(today.year() - rnd.below(5)).arg(k)),
                    nullable(rnd.chance(25), double(rnd.below(4) * 5)), rnd.pick(QList<int>{7, 14, 14, 21, 30}),
                    QString(rnd.chance(10) ? "Y" : "N"), rnd.between(1, 5), QString(rnd.chance(30) ? "Y" : "N"),
                    today.addDays(-rnd.between(30, 3650)), QString(active ? "Y" : "N"), rnd.between(1, 250),
                    PhoneDigits(tel), nullable(hasTel2, PhoneDigits(tel2)),
                    QStringLiteral("%1").arg(10000000 + k), rnd.between(10, 5000) * 1000,
                    QString(rnd.chance(90) ? "Y" : "N"), rnd.chance(5) ? 11 : 1);

            // One or two agents, the first one responsible.
            const int a1 = rnd.between(1, agentCount);
            responsibleAgent[k] = a1;
            agentOf.row(k, a1, QString("Y"));
            if (rnd.chance(25)) {
                const int a2 = a1 % agentCount + 1;
                agentOf.row(k, a2, QString("N"));
            }

            const int persons = k % 4 == 0 ? 1 : (k % 4 == 1 ? 3 : 2); // averages two per client
            firstPerson[k] = personId + 1;
            personCount[k] = persons;
            for (int p = 0; p < persons; ++p) {
                ++personId;
                const QString first = rnd.pick(FirstNames), family = rnd.pick(FamilyNames);
                const QString ptel = phoneNumber(rnd, true);
                const bool hasPtel2 = rnd.chance(20);
                const QString ptel2 = hasPtel2 ? phoneNumber(rnd, false) : QString();
                person.row(personId, k, first + QLatin1Char(' ') + family, ptel, nullable(hasPtel2, ptel2),
                           QStringLiteral("%1.%2@%3.ee").arg(asciiSlug(first), asciiSlug(family), slug.left(30)),
                           p == 0 ? 1 : rnd.between(2, static_cast<int>(Positions.size())),
                           QString(rnd.chance(95) ? "Y" : "N"), PhoneDigits(ptel), PhoneDigits(ptel2), QString(rnd.chance(90) ? "Y" : "N"));
            }

            // Classifiers: one per group for most clients.
            for (int g = 1; g <= Classifiers.size(); ++g) {
                if (!rnd.chance(70))
                    continue;
                QList<int> inGroup;
                for (const auto &ci : classifierIds)
                    if (ci.second == g)
                        inGroup.append(ci.first);
                cls.row(k, g, rnd.pick(inGroup));
            }

            if (rnd.chance(60)) {
                const auto &[productId, groupId] = rnd.pick(productIds);
                const QList<int> specs = specsOfGroup.values(groupId);
                prod.row(++productRow, k, groupId, productId, nullable(rnd.chance(50), rnd.pick(specs)),
                         today.addDays(-rnd.between(30, 1500)), rnd.between(1, 20), QString(rnd.chance(80) ? "Y" : "N"));
            }
        }
        counts.clients = clientCount;
        counts.contactPersons = personId;
        exec(QStringLiteral("ALTER SEQUENCE KLIENTK_KLIKOOD_GEN RESTART WITH %1").arg(clientCount));
        exec(QStringLiteral("ALTER SEQUENCE KLIKISIK_KLIKISIKKOOD_GEN RESTART WITH %1").arg(personId));
        exec(QStringLiteral("ALTER SEQUENCE KLITOODE_KLITOODEID_GEN RESTART WITH %1").arg(productRow));
    }
    tr.commitRetaining();

    // Two years of contacts, mostly by the client's responsible agent.
    say(QStringLiteral("contacts"));
    const QDate contactsFrom = today.addYears(-2);
    const int span = static_cast<int>(contactsFrom.daysTo(today));
    int contactId = 0;
    {
        BulkInsert ins(tr, "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, "
                           "KONTAKTKUUPKUNI, KONTAKTKELLKUNI, KONTAKTLIIK, KONTAKTYHIKUID, KONTAKTTOIMUS, "
                           "KONTAKTTEEMA, KONTAKTKOMMENT, KONTAKTIDGRUPP, KLIKISIKKOOD, PROJID, REGAGENTKOOD, "
                           "TOOTEGRID, TOOTEID) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?)");
        const int perClient = ContactsPerClient;
        for (int k = 1; k <= clientCount; ++k) {
            for (int n = 0; n < perClient; ++n) {
                ++contactId;
                const int agent = rnd.chance(85) ? responsibleAgent[k] : rnd.between(1, agentCount);
                const QDate day = workday(rnd, contactsFrom, span);
                const int type = rnd.chance(60) ? 1 : rnd.between(2, 8);
                const QTime start(rnd.between(8, 16), rnd.below(4) * 15);
                const int minutes = ContactTypes[type - 1].minutes;
                const bool withProduct = rnd.chance(20);
                const auto &product = productIds[rnd.below(static_cast<int>(productIds.size()))];
                ins.row(contactId, agent, k, day, start, day, start.addSecs(60 * minutes), type, minutes,
                        QString(day.daysTo(today) > 14 || rnd.chance(70) ? "Y" : "N"), rnd.pick(Subjects),
                        nullable(rnd.chance(10), rnd.pick(Comments)),
                        nullable(rnd.chance(80), firstPerson[k] + rnd.below(personCount[k])),
                        nullable(rnd.chance(30), rnd.between(1, 3)), agent,
                        nullable(withProduct, product.second), nullable(withProduct, product.first));
            }
            if (k % 10000 == 0)
                say(QStringLiteral("contacts: %1 clients").arg(k));
        }
        counts.contacts = contactId;
    }
    tr.commitRetaining();

    // Open plans: about one client in five has a next contact, some of them overdue.
    say(QStringLiteral("plans"));
    {
        BulkInsert ins(tr, "insert into KLIJKONT (JKONTAKTID, KLIKOOD, AGENTKOOD, JKONTAKTKUUP, JKONTAKTKELL, "
                           "JKONTAKTLIIK, JKONTAKTKOKKULEPE, JKONTAKTTEEMA, KLIKISIKKOOD, JKONTTAHTAEG, "
                           "REGAGENTKOOD, AGENTTUTVUNUD, PROJID) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        int planId = 0;
        for (int k = 1; k <= clientCount; ++k) {
            if (k % 5 != 0)
                continue;
            ++planId;
            const QDate day = workday(rnd, today.addDays(-7), 45);
            const int agent = responsibleAgent[k];
            ins.row(planId, k, agent, day, QTime(rnd.between(9, 16), 0), rnd.chance(70) ? 1 : 2,
                    agreement(rnd), rnd.pick(Subjects), firstPerson[k],
                    nullable(rnd.chance(30), day.addDays(7)), rnd.chance(80) ? agent : rnd.between(1, agentCount),
                    QString(rnd.chance(60) ? "Y" : "N"), nullable(rnd.chance(30), rnd.between(1, 3)));
        }
        counts.plans = planId;
        exec(QStringLiteral("ALTER SEQUENCE KLIJKONT_JKONTAKTID_GEN RESTART WITH %1").arg(planId));
    }

    // Sales per quarter for a share of the clients.
    say(QStringLiteral("sales"));
    {
        BulkInsert ins(tr, "insert into PERMYYK (PERMYYKID, PERALGUS, PERLOPP, KLIKOOD, AGENTKOOD, PERMYYKSUMMA, "
                           "TEHINGUTE_ARV, TOOTEGRID, TOOTEID, TOOTEKOGUS, PROJID, PARITOLU) "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
        int saleId = 0;
        const QDate thisQuarter(today.year(), ((today.month() - 1) / 3) * 3 + 1, 1);
        for (int k = 1; k <= clientCount; ++k) {
            if (!rnd.chance(30))
                continue;
            for (int q = 1; q <= 4; ++q) {
                const QDate start = thisQuarter.addMonths(-3 * q);
                const auto &product = productIds[rnd.below(static_cast<int>(productIds.size()))];
                ins.row(++saleId, start, start.addMonths(3).addDays(-1), k, responsibleAgent[k],
                        QVariant::fromValue(fb::Numeric{rnd.between(10000, 5000000), 2}), rnd.between(1, 12),
                        product.second, product.first, rnd.between(1, 50), nullable(rnd.chance(20), 1));
            }
        }
        counts.sales = saleId;
        exec(QStringLiteral("ALTER SEQUENCE GEN_PERMYYK_ID RESTART WITH %1").arg(saleId));
    }

    // A mass offer: the offer row has no client, its lines carry its id in KONTAKTIDGRUPP. The lines
    // are inserted without KONTAKTID, as the offer window does, so the database numbers them.
    say(QStringLiteral("mass offer"));
    {
        const int offerId = ++contactId;
        BulkInsert offer(tr, "insert into KONTAKT (KONTAKTID, AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, "
                             "KONTAKTLIIK, KONTAKTYHIKUID, KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTKOMMENT, "
                             "KONTAKTIDGRUPP, REGAGENTKOOD, PROJID) values (?, 4, null, ?, ?, ?, 1, 'Y', ?, ?, 0, 4, 2)");
        offer.row(offerId, today.addDays(-10), QTime(10, 0), MassEmailType, QStringLiteral("Kevadkampaania pakkumine"),
                  QStringLiteral("Kontoritarvete kevadpakkumine: -15% kõigilt paberitoodetelt."));
        exec(QStringLiteral("ALTER SEQUENCE KONTAKT_KONTAKTID_GEN RESTART WITH %1").arg(contactId));
        const int lines = std::min(100 * scale, clientCount);
        exec(QStringLiteral("insert into KONTAKT (AGENTKOOD, KLIKOOD, KONTAKTKUUP, KONTAKTKELL, KONTAKTLIIK, "
                            "KONTAKTYHIKUID, KONTAKTTOIMUS, KONTAKTTEEMA, KONTAKTIDGRUPP, REGAGENTKOOD, PROJID) "
                            "select 4, KLIKOOD, '%1', '10:00', %2, 1, 'Y', 'Kevadkampaania pakkumine', %3, 4, 2 "
                            "from KLIENTK where KLIMPAKKUMOK = 'Y' and KLIENTAKTIIVNE = 'Y' and KLIKOOD <= %4")
                 .arg(today.addDays(-10).toString(QStringLiteral("dd.MM.yyyy")))
                 .arg(MassEmailType)
                 .arg(offerId)
                 .arg(lines));
    }

    // A telephone survey with its questions, options, clients and some answers.
    say(QStringLiteral("survey"));
    {
        BulkInsert q(tr, "insert into KYSIMUS (KYSIMUSID, KYSIMUS, KVASTUSTYYP) values (?, ?, ?)");
        q.row(1, QStringLiteral("Kas olete meie teenusega rahul?"), 1);
        q.row(2, QStringLiteral("Mitu töötajat kasutab arvutit?"), 2);
        q.row(3, QStringLiteral("Milline on teie peamine tarnija?"), 5);
        q.row(4, QStringLiteral("Millal plaanite järgmist hanget?"), 4);
        q.row(5, QStringLiteral("Ettepanekud ja kommentaarid"), 0);
        BulkInsert v(tr, "insert into KYSVVAR (KYSIMUSID, KVASTUSVARID, KVASTUSVARIANT) values (3, ?, ?)");
        const QStringList options = {"Lumora", "Mõni teine kohalik firma", "Välismaine tarnija", "Ei oska öelda"};
        for (int i = 0; i < options.size(); ++i)
            v.row(i + 1, options[i]);
        exec("insert into KYSITLUS (KYSITLUSID, KYSITLUSNIMI, KYSITLUSKOMMENT) values "
             "(1, 'Kliendirahulolu küsitlus', 'Iga-aastane telefoniküsitlus püsiklientidele')");
        for (int i = 1; i <= 5; ++i)
            exec(QStringLiteral("insert into KYSIKYSI (KYSITLUSID, KYSIMUSID) values (1, %1)").arg(i));
        BulkInsert kl(tr, "insert into KYSITLKL (KYSITLUSID, KLIKOOD, KPLANKUUP, KYSITLUSTEHTUD, AGENTKOOD) "
                          "values (1, ?, ?, ?, ?)");
        fb::Statement answer(tr, "execute procedure KVASTUS_APPENDUPDATE (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
        const int surveyed = std::min(50, clientCount);
        for (int k = 1; k <= surveyed; ++k) {
            const bool done = k <= 20;
            kl.row(k * 3 > clientCount ? k : k * 3, today.addDays(done ? -k : k), QString(done ? "Y" : "N"),
                   responsibleAgent[k * 3 > clientCount ? k : k * 3]);
            if (!done)
                continue;
            const int client = k * 3 > clientCount ? k : k * 3;
            const QList<QVariantList> answers = {
                {1, 1, client, 0, today.addDays(-k), 1, QVariant(), k % 4 ? 1 : 0, QVariant(), QVariant(), QVariant(), QVariant()},
                {1, 2, client, 0, today.addDays(-k), 2, QVariant(), QVariant(), 5 + k, QVariant(), QVariant(), QVariant()},
                {1, 3, client, 1 + k % 4, today.addDays(-k), 5, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
                {1, 4, client, 0, today.addDays(-k), 4, QVariant(), QVariant(), QVariant(), QVariant(), today.addMonths(k % 6 + 1), QVariant()},
            };
            for (const QVariantList &row : answers) {
                for (int i = 0; i < row.size(); ++i)
                    answer.setValue(i, row[i]);
                answer.execute();
            }
        }
        exec("ALTER SEQUENCE KYSIMUS_KYSIMUSID_GEN RESTART WITH 5");
        exec("ALTER SEQUENCE KYSVVAR_KVASTUSVARID_GEN RESTART WITH 4");
        exec("ALTER SEQUENCE KYSITLUS_KYSITLUSID_GEN RESTART WITH 1");
    }

    say(QStringLiteral("parameters"));
    {
        BulkInsert p(tr, "insert into KPARAMS (PARAMEETER, TEKSTVAARTUS) values (?, ?)");
        p.row(QStringLiteral("DocumentsRootDirectory"), QStringLiteral("Dokumendid"));
        p.row(QStringLiteral("DialerOutsideLineAccess"), QString());
        p.row(QStringLiteral("DefaultMailMsgType"), QStringLiteral("SMTP"));
        p.row(QStringLiteral("EMailMethodIndex"), QStringLiteral("1"));
        p.row(QStringLiteral("SMTPServerHost"), QStringLiteral("localhost"));
        exec("insert into OMAFIRMA (FIRNIMI, FIROMVORM, FIRAADRESS, FIRPOSTIINDEX, FIRTEL, FIRFAX, FIREMAIL, FIRWWW, "
             "FIRJUHTEESNIMI, FIRJUHTPERENIMI, FIRREGNR) values ('Lumora Müük', 'OÜ', 'Pärnu mnt 10', '10148', "
             "'6 600 100', '6 600 101', 'info@lumora.ee', 'https://lumora.ee', 'Kaarel', 'Kõiv', '12345678')");
    }

    // Keys of the reference tables continue after the demo rows.
    const QList<QPair<const char *, int>> generators = {
        {"AGENTK_AGENTKOOD_GEN", agentCount},
        {"KONTLIIK_KONTAKTLIIKKOOD_GEN", static_cast<int>(std::size(ContactTypes))},
        {"TOOTEGR_TOOTEGRID_GEN", static_cast<int>(productGroups().size())},
        {"TOOTED_TOOTEID_GEN", static_cast<int>(productIds.size())},
        {"GEN_TOOTELISA_ID", static_cast<int>(specsOfGroup.size())},
        {"LINNVALD_LINNVALDKOOD_GEN", static_cast<int>(Places.size())},
        {"GEN_RIIK_RIIKID", static_cast<int>(Countries.size())},
        {"GEN_KAMETID_AMETID", static_cast<int>(Positions.size())},
        {"KL1GR_KL1GRID_GEN", static_cast<int>(Classifiers.size())},
        {"KLASSIF1_KL1ID_GEN", static_cast<int>(classifierIds.size())},
        {"PROJEKT_PROJID_GEN", static_cast<int>(Projects.size())},
    };
    for (const auto &[name, value] : generators)
        exec(QStringLiteral("ALTER SEQUENCE %1 RESTART WITH %2").arg(QLatin1String(name)).arg(value));

    tr.commit();
    say(QStringLiteral("index statistics"));
    refreshIndexStatistics(attachment);
    say(QStringLiteral("done"));
    return counts;
}

DemoData::Counts DemoData::addClients(fb::Attachment &attachment, int clients, int persons,
                                      const std::function<void(const QString &)> &progress)
{
    Counts counts;
    fb::Transaction tr(attachment);
    tr.start();
    auto scalar = [&](const char *sql) {
        fb::Statement st(tr, QString::fromLatin1(sql));
        st.execute();
        return st.fetch() ? st.value(0).toLongLong() : 0;
    };
    const qint64 firstClient = scalar("select coalesce(max(KLIKOOD), 0) + 1 from KLIENTK");
    const qint64 firstPerson = scalar("select coalesce(max(KLIKISIKKOOD), 0) + 1 from KLIKISIK");
    const qint64 firstProduct = scalar("select coalesce(max(KLITOODEID), 0) + 1 from KLITOODE");
    const qint64 agents = std::max<qint64>(1, scalar("select count(*) from AGENTK"));
    const qint64 places = std::max<qint64>(1, scalar("select count(*) from LINNVALD"));
    // One classifier and one product to give a share of the clients, when the demo has them.
    const qint64 classifier = scalar("select first 1 KL1ID from KLASSIF1 order by KL1ID");
    const qint64 classifierGroup = scalar("select first 1 KL1GRID from KLASSIF1 order by KL1ID");
    const qint64 product = scalar("select first 1 TOOTEID from TOOTED order by TOOTEID");
    const qint64 productGroup = scalar("select first 1 TOOTEGRID from TOOTED order by TOOTEID");
    // The search indexes are built once at the end, from sorted keys, rather than row by row.
    QStringList searchIndexes;
    {
        fb::Statement st(
            tr, QStringLiteral("select trim(RDB$INDEX_NAME) from RDB$INDICES where RDB$INDEX_NAME starting with 'IX_' "
                               "and RDB$RELATION_NAME in ('KLIENTK', 'KLIKISIK', 'KLIAGENT', 'KL1KLI', 'KLITOODE')"));
        st.execute();
        while (st.fetch())
            searchIndexes << st.value(0).toString();
    }
    tr.commit();
    tr.start();
    for (const QString &index : searchIndexes)
        attachment.executeImmediate(tr, QStringLiteral("ALTER INDEX %1 INACTIVE").arg(index));
    tr.commit();

    const qint64 chunk = 50000;
    qint64 productRow = firstProduct;
    for (qint64 done = 0; done < clients; done += chunk) {
        const qint64 n = std::min<qint64>(chunk, clients - done);
        tr.start();
        // Persons of client number i (counted from 0 over the whole register): an even share, so
        // that the total comes to `persons` whatever the ratio.
        const QString block =
            QStringLiteral(
                "execute block as\n"
                "declare i bigint = %1; declare upto bigint = %2; declare everyone bigint = %3; declare np bigint = "
                "%4;\n"
                "declare k integer; declare p bigint; declare p_to bigint; declare pr bigint = %5;\n"
                "begin\n"
                "  while (i < upto) do begin\n"
                "    k = %6 + i;\n"
                "    insert into KLIENTK (KLIKOOD, KLINIMI, KLIAADRESS, LINNVALDKOOD, KLIPOSTIINDEX, KLITEL, "
                "KLITELTRIM, "
                "KLIEMAIL, KLILISAMKUUP, KLIENTAKTIIVNE, TOOTAJATEARV, KLIKAIVE, KLIKVALITEET, KLIPYSI, KLISUHTETYYP, "
                "KLIREGNR, KLIMPAKKUMOK)\n"
                "    values (:k, decode(mod(:i, 8), 0, 'Alfa', 1, 'Balti', 2, 'Nord', 3, 'Tamme', 4, 'Kivi', 5, "
                "'Mere', "
                "6, 'Vilja', 'Põhja') || ' ' || decode(mod(:i / 8, 5), 0, 'Puit', 1, 'Ehitus', 2, 'Kaubandus', 3, "
                "'Grupp', "
                "'Tehnika') || ' ' || :k, 'Pikk ' || mod(:i, 150), mod(:i, %7) + 1, 10000 + mod(:i, 89999), "
                "'6 ' || (1000000 + mod(:i * 7, 8999999)), '6' || (1000000 + mod(:i * 7, 8999999)), 'info' || :k || "
                "'@demo.ee', "
                "dateadd(-mod(:i * 7, 3650) day to date '2026-12-01'), iif(mod(:i * 7, 100) < 8, 'N', 'Y'), mod(:i * "
                "13, 250) + 1, "
                "mod(:i * 31, 5000) * 1000, mod(:i, 3) - 1, iif(mod(:i, 10) = 0, 'Y', 'N'), iif(mod(:i, 20) = 0, 11, "
                "1), "
                "20000000 + :k, 'Y');\n"
                "    if (mod(i, 50) <> 0) then\n"
                "      insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (:k, mod(:i, %8) + 1, 'Y');\n"
                "    if (mod(i, 4) = 1) then\n"
                "      insert into KLIAGENT (KLIKOOD, AGENTKOOD, AGENTVASTUTAV) values (:k, mod(:i + 1, %8) + 1, "
                "'N');\n"
                "    if (%9 > 0 and mod(i, 3) = 0) then\n"
                "      insert into KL1KLI (KLIKOOD, KL1GRID, KL1ID) values (:k, %10, %9);\n"
                "    if (%11 > 0 and mod(i, 5) = 0) then begin\n"
                "      insert into KLITOODE (KLITOODEID, KLIKOOD, TOOTEGRID, TOOTEID, KLITOODEKOGUS) values (:pr, :k, "
                "%12, %11, 1);\n"
                "      pr = pr + 1;\n"
                "    end\n"
                "    p = (i * np) / everyone; p_to = ((i + 1) * np) / everyone;\n"
                "    while (p < p_to) do begin\n"
                "      insert into KLIKISIK (KLIKISIKKOOD, KLIKOOD, KONTAKTISIKNIMI, KONTAKTISIKTEL, KISIKTELTRIM, "
                "AMETID, "
                "KONTAKTISIKAKTIIVNE, KISIKPAKKUMOK)\n"
                "      values (%13 + :p, :k, decode(mod(:p, 6), 0, 'Mari', 1, 'Jaan', 2, 'Kati', 3, 'Peeter', 4, "
                "'Tiiu', 'Andres') "
                "|| ' ' || decode(mod(:p / 6, 5), 0, 'Tamm', 1, 'Saar', 2, 'Kask', 3, 'Mets', 'Rebane') || ' ' || :p, "
                "'5 ' || (100000 + mod(:p, 899999)), '5' || (100000 + mod(:p, 899999)), null, iif(mod(:p, 20) = 0, "
                "'N', 'Y'), 'Y');\n"
                "      p = p + 1;\n"
                "    end\n"
                "    i = i + 1;\n"
                "  end\n"
                "end")
                .arg(done)
                .arg(done + n)
                .arg(clients)
                .arg(persons)
                .arg(productRow)
                .arg(firstClient)
                .arg(places)
                .arg(agents)
                .arg(classifier)
                .arg(classifierGroup)
                .arg(product)
                .arg(productGroup)
                .arg(firstPerson);
        attachment.executeImmediate(tr, block);
        tr.commit();
        if (product > 0)
            productRow += (done + n + 4) / 5 - (done + 4) / 5;
        if (progress)
            progress(QStringLiteral("%1 clients").arg(done + n));
    }
    if (progress)
        progress(QStringLiteral("search indexes"));
    tr.start();
    for (const QString &index : searchIndexes)
        attachment.executeImmediate(tr, QStringLiteral("ALTER INDEX %1 ACTIVE").arg(index));
    tr.commit();
    tr.start();
    attachment.executeImmediate(
        tr, QStringLiteral("ALTER SEQUENCE KLIENTK_KLIKOOD_GEN RESTART WITH %1").arg(firstClient + clients - 1));
    attachment.executeImmediate(
        tr, QStringLiteral("ALTER SEQUENCE KLIKISIK_KLIKISIKKOOD_GEN RESTART WITH %1").arg(firstPerson + persons - 1));
    attachment.executeImmediate(
        tr, QStringLiteral("ALTER SEQUENCE KLITOODE_KLITOODEID_GEN RESTART WITH %1").arg(productRow - 1));
    tr.commit();
    refreshIndexStatistics(attachment);
    counts.clients = clients;
    counts.contactPersons = persons;
    return counts;
}

} // namespace data

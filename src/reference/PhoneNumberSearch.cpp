#include "PhoneNumberSearch.h"

#include "data/DataSet.h"
#include "data/PhoneDigits.h"
#include "data/Translate.h"

// A client's own number has no contact person: its person column is empty. The digits are bound
// once and compared with all four search columns, each through its index. They are cast so that a
// number longer than the columns is simply not found instead of being refused as too long for them.
const QString PhoneNumberSearch::Statement = QStringLiteral(
    "with n as (select cast(:SearchNo as varchar(100)) as SearchNo from RDB$DATABASE)\n"
    "select k.KliKood, k.KliNimi, 0 AS KliKIsikKood, cast('' as varchar(70)) AS KontaktIsikNimi, k.KliTel as Tel, "
    "k.KliTel2 As Tel2\n"
    "from n join KLIENTK k on (k.KliTelTrim = n.SearchNo\n"
    "  or k.KliTel2Trim = n.SearchNo)\n"
    "union all\n"
    "select v.KliKood, v.KliNimi, v.KliKIsikKood, v.KontaktIsikNimi || '          ', v.KontaktIsikTel, "
    "v.KontaktIsikTel2\n"
    "from n join KLIKISIK_KOOND_VIEW v on (v.KIsikTelTrim = n.SearchNo\n"
    "  or v.KIsikTel2Trim = n.SearchNo)\n");

PhoneNumberSearch::PhoneNumberSearch(fb::Transaction &transaction)
    : m_result(std::make_unique<data::DataSet>(transaction, QStringLiteral("qOtsiKliTelefon")))
{
    m_result->setSelectSql(Statement);
    m_result->defineField(QStringLiteral("KLIKOOD")).setVisible(false);
    m_result->defineField(QStringLiteral("KLIKISIKKOOD")).setVisible(false);
    m_result->defineField(QStringLiteral("KLINIMI")).setDisplayLabel(Translate(QStringLiteral("Klient")));
    m_result->defineField(QStringLiteral("KONTAKTISIKNIMI")).setDisplayLabel(Translate(QStringLiteral("Kontaktisik")));
    m_result->defineField(QStringLiteral("TEL")).setDisplayLabel(QStringLiteral("Tel"));
    m_result->defineField(QStringLiteral("TEL2")).setDisplayLabel(QStringLiteral("Tel2"));
}

PhoneNumberSearch::~PhoneNumberSearch() = default;

bool PhoneNumberSearch::Search(const QString &typed)
{
    m_result->close();
    const QString digits = data::PhoneDigits(typed);
    if (digits.isEmpty())
        return false;
    // Longer than any stored number: searched for as a text no search column holds, so the result is
    // empty as for any other number that is not there.
    m_result->setParam(QStringLiteral("SearchNo"), digits.size() > MaxDigits ? QStringLiteral("-") : digits);
    m_result->open();
    return true;
}

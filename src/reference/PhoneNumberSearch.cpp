#include "PhoneNumberSearch.h"

#include "data/DataSet.h"
#include "data/PhoneDigits.h"
#include "data/Translate.h"

// A client's own number has no contact person: its person column is empty. The parameter is cast so
// that a number longer than the columns is simply not found instead of being refused as too long
// for them; the columns themselves stay bare for their indexes.
const QString PhoneNumberSearch::Statement = QStringLiteral(
    "select KliKood, KliNimi, 0 AS KliKIsikKood, cast('' as varchar(70)) AS KontaktIsikNimi, KliTel as Tel, "
    "KliTel2 As Tel2\n"
    "from KLIENTK\n"
    "where (KliTelTrim = cast(:SearchNo as varchar(100))\n"
    "  or KliTel2Trim = cast(:SearchNo as varchar(100)))\n"
    "union all\n"
    "select KliKood, KliNimi, KliKIsikKood, KontaktIsikNimi || '          ', KontaktIsikTel, KontaktIsikTel2\n"
    "from KLIKISIK_KOOND_VIEW\n"
    "where (KIsikTelTrim = cast(:SearchNo as varchar(100))\n"
    "  or KIsikTel2Trim = cast(:SearchNo as varchar(100)))\n");

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

#include "ProgramParameters.h"

#include <optional>

#include "fb/Statement.h"
#include "fb/Transaction.h"

namespace {

// The stored value of a parameter: nothing without a row, a null value as empty text.
std::optional<QString> storedValue(fb::Transaction &tr, const QString &name)
{
    // Names compare with their letter case, as the key of the table does.
    fb::Statement st(tr, QStringLiteral("select TEKSTVAARTUS from KPARAMS where PARAMEETER = ?"));
    st.setString(0, name);
    st.execute();
    std::optional<QString> value;
    if (st.fetch())
        value = st.getString(0);
    st.closeCursor();
    return value;
}

} // namespace

ProgramParameters::ProgramParameters(fb::Transaction &transaction)
    : m_transaction(&transaction)
{
}

QString ProgramParameters::GetParameter(const QString &name, const QString &defaultValue)
{
    return storedValue(*m_transaction, name).value_or(defaultValue);
}

bool ProgramParameters::SetParameter(const QString &name, const QString &value)
{
    const std::optional<QString> stored = storedValue(*m_transaction, name);
    if (stored && *stored == value)
        return true;
    if (stored) {
        fb::Statement st(*m_transaction, QStringLiteral("update KPARAMS set TEKSTVAARTUS = ? where PARAMEETER = ?"));
        st.setString(0, value);
        st.setString(1, name);
        st.execute();
    } else {
        fb::Statement st(*m_transaction,
                         QStringLiteral("insert into KPARAMS (PARAMEETER, TEKSTVAARTUS) values (?, ?)"));
        st.setString(0, name);
        st.setString(1, value);
        st.execute();
    }
    m_transaction->commitRetaining();
    return true;
}

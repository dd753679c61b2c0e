#include "Transaction.h"

#include <utility>

#include <ibase.h>

#include "Attachment.h"
#include "FbError.h"
#include "Trace.h"

namespace fb {

Transaction::Transaction(Attachment &attachment, Isolation isolation, bool readOnly)
    : m_attachment(&attachment), m_isolation(isolation), m_readOnly(readOnly)
{
}

Transaction::~Transaction()
{
    if (m_handle) {
        ISC_STATUS_ARRAY st;
        isc_rollback_transaction(st, &m_handle);
    }
}

Transaction::Transaction(Transaction &&other) noexcept
    : m_attachment(other.m_attachment),
      m_isolation(other.m_isolation),
      m_readOnly(other.m_readOnly),
      m_handle(std::exchange(other.m_handle, 0))
{
}

void Transaction::start()
{
    Trace::write(QStringLiteral("transaction: start"));
    if (m_handle)
        return;
    if (!m_attachment->isAttached())
        throw FbError::client(QStringLiteral("The database is not connected"));
    char tpb[8];
    int n = 0;
    tpb[n++] = isc_tpb_version3;
    tpb[n++] = m_readOnly ? isc_tpb_read : isc_tpb_write;
    if (m_isolation == Isolation::ReadCommitted) {
        tpb[n++] = isc_tpb_read_committed;
        tpb[n++] = isc_tpb_rec_version;
    } else {
        tpb[n++] = isc_tpb_concurrency;
    }
    tpb[n++] = isc_tpb_nowait;
    ISC_STATUS_ARRAY st;
    isc_start_transaction(st, &m_handle, 1, m_attachment->handlePtr(), static_cast<unsigned short>(n), tpb);
    FbError::check(st);
}

void Transaction::commit()
{
    Trace::write(QStringLiteral("transaction: commit"));
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY st;
    isc_commit_transaction(st, &m_handle);
    FbError::check(st);
}

void Transaction::commitRetaining()
{
    Trace::write(QStringLiteral("transaction: commitRetaining"));
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY st;
    isc_commit_retaining(st, &m_handle);
    FbError::check(st);
}

void Transaction::rollback()
{
    Trace::write(QStringLiteral("transaction: rollback"));
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY st;
    isc_rollback_transaction(st, &m_handle);
    FbError::check(st);
}

void Transaction::rollbackRetaining()
{
    Trace::write(QStringLiteral("transaction: rollbackRetaining"));
    if (!m_handle)
        return;
    ISC_STATUS_ARRAY st;
    isc_rollback_retaining(st, &m_handle);
    FbError::check(st);
}

} // namespace fb
